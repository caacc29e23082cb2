#include "gui/help/AboutWindow.h"

#include "core/help/AppIcon.h"
#include "core/help/Help.h"
#include "ports/Platform.h"
#include "ui_AboutWindow.h"

namespace quillet {

AboutWindow::AboutWindow(Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_ui(std::make_unique<Ui::AboutWindow>())
{
    m_ui->setupUi(this);
    setModal(false);
    setWindowTitle(about::caption());
    m_ui->iconLabel->setPixmap(applicationIcon().pixmap(64, 64));
    m_ui->titleLabel->setText(about::programTitle);
    m_ui->versionLabel->setText(about::versionText());
    m_ui->descriptionLabel->setText(about::description());
    m_ui->copyrightLabel->setText(about::copyright());
    m_ui->disclaimerLabel->setText(about::disclaimer());

    connect(m_ui->okButton, &QPushButton::clicked, this, &AboutWindow::close);
    connect(m_ui->systemInfoButton, &QPushButton::clicked, this, &AboutWindow::systemInfo);
}

AboutWindow::~AboutWindow() = default;

AboutWindow* AboutWindow::showFrom(Platform& platform, QWidget* asker)
{
    auto* window = new AboutWindow(platform, asker ? asker->window() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void AboutWindow::systemInfo()
{
    if (!m_platform.desktop.startSystemInfo())
        m_platform.prompter.message(about::systemInfoUnavailableText(), about::programTitle, MessageIcon::None,
                                    MessageButtons::Ok);
}

} // namespace quillet
