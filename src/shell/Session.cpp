#include "shell/Session.h"

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
    m_bdayOnEnabled = false;
    m_bdayOffEnabled = false;
    m_currentRecord = 0;
    emit changed();
}

void Session::setReminderItems(bool onItemEnabled, bool offItemEnabled)
{
    m_bdayOnEnabled = onItemEnabled;
    m_bdayOffEnabled = offItemEnabled;
    emit changed();
}

void Session::setCurrentRecord(int number)
{
    m_currentRecord = number;
}

} // namespace quillet
