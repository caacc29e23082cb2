// The main window's help: the user manual, the web lookups and the About window.
#include "shell/MainWindow.h"
#include "ui_MainWindow.h"

#include "help/AboutWindow.h"
#include "help/Help.h"

#include <QApplication>

namespace quillet {

void MainWindow::connectHelp()
{
    connect(m_ui->manualAction, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_ui->peopleFinderButton, &QPushButton::clicked, this, [this] { openPeopleFinder(m_platform.desktop); });
    connect(m_ui->zipFinderButton, &QPushButton::clicked, this, [this] { openZipCodeFinder(m_platform.desktop); });
}

// Other windows ask through WindowHost, so the About window goes beside the one
// that is active, which need not be this one.
void MainWindow::showAbout()
{
    QWidget* asker = QApplication::activeWindow();
    AboutWindow::showFrom(m_platform, asker ? asker : this);
}

} // namespace quillet
