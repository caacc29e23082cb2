// Contacts files opened without the file dialog: File > Open Recent and a file
// given on the command line.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/common/ProgramFolder.h"
#include "gui/main/RecentFiles.h"
#include "gui/session/FileCommands.h"

#include <QDir>
#include <QFileInfo>

namespace quillet {

namespace {

const QString fileGoneTitle = QStringLiteral("File not found");

} // namespace

void MainWindow::connectRecentFiles()
{
    m_ui->recentMenu->menuAction()->setObjectName(QStringLiteral("mnuFileRecent"));
    connect(m_ui->recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu()
{
    m_ui->recentMenu->clear();
    const QStringList paths = RecentFiles().paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* item = m_ui->recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    m_ui->recentMenu->setEnabled(!paths.isEmpty());
}

void MainWindow::openRecentFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        RecentFiles().remove(path);
        fillRecentMenu();
        m_platform.prompter.message(QStringLiteral("The contacts file was not found; it has been taken off the "
                                                   "Open Recent list.\r\n") +
                                        QDir::toNativeSeparators(path),
                                    fileGoneTitle, MessageIcon::Exclamation);
        return;
    }
    openFile(path);
}

void MainWindow::openFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_platform.prompter.message(QStringLiteral("The contacts file was not found:\r\n") +
                                        QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                    fileGoneTitle, MessageIcon::Exclamation);
        return;
    }
    showFileOutcome(openGivenFile(path, m_session, programFolder(), m_platform.desktop.today()));
}

} // namespace quillet
