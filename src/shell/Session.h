#pragma once

#include "contacts/ContactsFile.h"

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

    // The reminder switch, as the enabled states of "Enable Birthday Reminders"
    // (mnuFileBdayOn) and "Disable Birthday Reminders" (mnuFileBdayOff).
    bool reminderOnItemEnabled() const { return m_bdayOnEnabled; }
    bool reminderOffItemEnabled() const { return m_bdayOffEnabled; }
    void setReminderItems(bool onItemEnabled, bool offItemEnabled);
    // Reminders count as on while "Enable Birthday Reminders" is disabled.
    bool remindersOn() const { return !m_bdayOnEnabled; }
    // The ReminderFlag a writer of a new or changed record stores.
    QString reminderFlag() const { return remindersOn() ? QStringLiteral("1") : QStringLiteral("0"); }

    int currentRecord() const { return m_currentRecord; }
    void setCurrentRecord(int number);

signals:
    // The open file, its name or the reminder switch changed.
    void changed();

private:
    ContactsFile m_file;
    QString m_path;
    QString m_title;
    bool m_bdayOnEnabled = false;
    bool m_bdayOffEnabled = false;
    int m_currentRecord = 0;
};

} // namespace quillet
