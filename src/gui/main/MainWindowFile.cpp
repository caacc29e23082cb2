// File > New, Open, Close and the birthday reminder switch of the main window.
#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/common/ProgramFolder.h"
#include "core/contacts/LinkedFileQuestion.h"
#include "core/reminders/Reminders.h"
#include "gui/main/BirthdayListWindow.h"
#include "gui/main/RecentFiles.h"
#include "gui/session/FileCommands.h"
#include "gui/widgets/ErrorBox.h"

namespace quillet {

void MainWindow::runFileCommand(FileCommand command)
{
    showFileOutcome(quillet::runFileCommand(command, m_session, m_platform.fileDialogs, programFolder(),
                                            m_platform.desktop.today()));
}

// The error box, or the file's due birthdays; a file opened goes first in Open Recent.
void MainWindow::showFileOutcome(const FileCommandOutcome& outcome)
{
    if (outcome.status && !outcome.cancelled && m_session.hasFile())
        RecentFiles().add(m_session.filePath());
    if (!outcome.status) {
        showErrorBox(outcome.status);
        return;
    }
    if (outcome.birthdays.size() > reminders::separateAnnouncementsAtMost) {
        BirthdayListWindow::showFor(outcome.birthdays, this);
        return;
    }
    for (const reminders::DueBirthday& birthday : outcome.birthdays)
        m_platform.prompter.message(birthday.text, reminders::announcementTitle, MessageIcon::Information);
}

// Retry leaves the command with the file closed, and the window then shows the
// no-file state, so no command can run against a file that is not open.
void MainWindow::showErrorBox(const Status& status)
{
    const MessageResult chosen = quillet::showErrorBox(m_platform.prompter, status.error());
    m_session.closeFile();
    if (chosen != MessageResult::Retry)
        close();
}

void MainWindow::closeFile()
{
    m_session.closeFile();
}

void MainWindow::switchReminders(bool on)
{
    if (!m_session.hasFile())
        return;
    if (!allowRewriteOfLinkedFile(m_session.file(), m_platform.prompter))
        return;
    const Status written = reminders::setAll(m_session.file(), on);
    m_session.file().setSplittingLinksAllowed(false);
    if (!written) {
        // Every flag is as it was; the menu keeps the old switch.
        quillet::showErrorBox(m_platform.prompter, written.error(), MessageButtons::Ok);
        return;
    }
    m_platform.prompter.message(on ? reminders::turnedOnText : reminders::turnedOffText,
                                on ? reminders::turnedOnTitle : reminders::turnedOffTitle, MessageIcon::Information);
    m_session.setReminderSwitch(on ? reminders::Switch::On : reminders::Switch::Off);
}

} // namespace quillet
