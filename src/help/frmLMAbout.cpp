#include "help/frmLMAbout.h"

#include "help/AppIcon.h"
#include "help/Help.h"
#include "platform/Platform.h"
#include "ui_frmLMAbout.h"

namespace quillet {

frmLMAbout::frmLMAbout(Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_ui(std::make_unique<Ui::frmLMAbout>())
{
    m_ui->setupUi(this);
    setModal(false);
    setWindowTitle(about::caption());
    m_ui->picIcon->setPixmap(applicationIcon().pixmap(64, 64));
    m_ui->lblTitle->setText(about::programTitle);
    m_ui->lblVersion->setText(about::versionText());
    m_ui->lblDescription->setText(about::description());
    m_ui->lblCopyright->setText(about::copyright());
    m_ui->lblDisclaimer->setText(about::disclaimer());

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmLMAbout::close);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmLMAbout::systemInfo);
}

frmLMAbout::~frmLMAbout() = default;

frmLMAbout* frmLMAbout::showFrom(Platform& platform, QWidget* asker)
{
    auto* window = new frmLMAbout(platform, asker ? asker->window() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void frmLMAbout::systemInfo()
{
    if (!m_platform.desktop.startSystemInfo())
        m_platform.prompter.message(about::systemInfoUnavailable, about::programTitle, MessageIcon::None,
                                    MessageButtons::Ok);
}

} // namespace quillet
