// The main window's help: the user manual, the web lookups and the About window.
#include "shell/frmZEzore.h"
#include "ui_frmZEzore.h"

#include "help/Help.h"
#include "help/frmLMAbout.h"

#include <QApplication>

namespace quillet {

void frmZEzore::connectHelp()
{
    connect(m_ui->mnuManual, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->mnuAbout, &QAction::triggered, this, &frmZEzore::showAbout);
    connect(m_ui->cmdPeopleFind, &QPushButton::clicked, this, [this] { openPeopleFinder(m_platform.desktop); });
    connect(m_ui->cmdZipFinder, &QPushButton::clicked, this, [this] { openZipCodeFinder(m_platform.desktop); });
}

// Other windows ask through WindowHost, so the About window goes beside the one
// that is active, which need not be this one.
void frmZEzore::showAbout()
{
    QWidget* asker = QApplication::activeWindow();
    frmLMAbout::showFrom(m_platform, asker ? asker : this);
}

} // namespace quillet
