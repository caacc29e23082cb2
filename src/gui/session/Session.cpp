#include "gui/session/Session.h"

namespace quillet {

Session::Session(QObject* parent) : QObject(parent) {}

void Session::setOpenFile(const QString& path, const QString& title)
{
    m_path = path;
    m_title = title;
    emit changed();
}

void Session::closeFile()
{
    m_file.close();
    m_path.clear();
    m_title.clear();
    m_reminders = reminders::Switch::None;
    m_currentRecord = 0;
    emit changed();
}

void Session::setReminderSwitch(reminders::Switch state)
{
    m_reminders = state;
    emit changed();
}

void Session::noteRecordWritten()
{
    if (m_reminders == reminders::Switch::None)
        setReminderSwitch(reminders::Switch::On);
}

void Session::setCurrentRecord(int number)
{
    m_currentRecord = number;
}

} // namespace quillet
