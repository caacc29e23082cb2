// The main window's help: the user manual, the web lookups and the About window.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/help/Help.h"

#include <QApplication>

namespace quillet {

void MainWindow::connectHelp()
{
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_ui->peopleFinderButton, &QPushButton::clicked, this,
            [this] { openPeopleFinder(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->zipFinderButton, &QPushButton::clicked, this,
            [this] { openZipCodeFinder(m_platform.desktop, m_platform.prompter); });
}

// Other windows ask through WindowHost, so the About window goes beside the one
// that is active, which need not be this one.
void MainWindow::showAbout()
{
    QWidget* asker = QApplication::activeWindow();
    if (m_openAbout)
        m_openAbout(asker ? asker : this);
}

void MainWindow::setAboutOpener(std::function<void(QWidget* asker)> open)
{
    m_openAbout = std::move(open);
}

} // namespace quillet
