#pragma once

#include "core/contacts/ContactsFile.h"
#include "core/reminders/Reminders.h"

#include <QObject>
#include <QString>

namespace quillet {

// What every window shares: the one open contacts file, its path (txtFileNam) and
// title (txtFileTitle), the birthday-reminder switch and CurrentRecord. Captions
// and menu states are derived from it, so they cannot disagree with it.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);

    ContactsFile& file() { return m_file; }
    const ContactsFile& file() const { return m_file; }

    // The file-open state: a file is open and its path and title are known.
    bool hasFile() const { return m_file.isOpen() && !m_path.isEmpty(); }
    QString filePath() const { return m_path; }   // txtFileNam
    QString fileTitle() const { return m_title; } // txtFileTitle

    // Records that `path` is now the open file (the caller opened it through file()).
    void setOpenFile(const QString& path, const QString& title);
    // Closes the file and returns to the no-file state.
    void closeFile();

    // The file's birthday-reminder switch; the main window's reminder menu items
    // show it (reminders::menuItemsFor).
    reminders::Switch reminderSwitch() const { return m_reminders; }
    void setReminderSwitch(reminders::Switch state);
    // Reminders count as on unless switched off: a file without a setting yet too.
    bool remindersOn() const { return m_reminders != reminders::Switch::Off; }
    // The ReminderFlag a writer of a new or changed record stores.
    QString reminderFlag() const { return reminders::flagFor(m_reminders); }
    // A contact window wrote a record: a file without a setting now has reminders on.
    void noteRecordWritten();

    int currentRecord() const { return m_currentRecord; }
    void setCurrentRecord(int number);

signals:
    // The open file, its name or the reminder switch changed.
    void changed();

private:
    ContactsFile m_file;
    QString m_path;
    QString m_title;
    reminders::Switch m_reminders = reminders::Switch::None;
    int m_currentRecord = 0;
};

} // namespace quillet
