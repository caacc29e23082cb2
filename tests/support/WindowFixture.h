#pragma once

#include "gui/editing/ContactWindow.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "ports/Platform.h"
#include "support/ScriptedPlatform.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quillet::test {

// Records what the other windows ask of the main window.
class FakeWindowHost : public WindowHost
{
public:
    void returnToMainWindow() override { ++returns; }
    void quitProgram() override { ++quits; }
    void showAbout() override { ++abouts; }
    QStringList labelLines() const override { return lines; }
    void fillLabelLines(const QStringList& newLines) override { filled = newLines; }
    void openContactWindow(int recordNumber) override { openedRecords << recordNumber; }
    // The list's contact window is the real one, as the program wires it.
    QWidget* openContactOver(QWidget* list, int recordNumber, const ContactEdits& changes) override
    {
        if (!session || !platform)
            return nullptr;
        return ContactWindow::openOver(list, recordNumber, changes, *session, *platform, *this);
    }

    Session* session = nullptr;
    Platform* platform = nullptr;
    QStringList lines{QString(), QString(), QString(), QString(), QString()};
    QStringList filled;
    QList<int> openedRecords;
    int returns = 0;
    int quits = 0;
    int abouts = 0;
};

// What a window other than the main window is made with: the session, the
// scripted platform answering its dialogs and a host standing in for the main
// window. Tests inherit it and call resetWindowFixture() in init().
class WindowFixture
{
protected:
    void resetWindowFixture()
    {
        m_session = std::make_unique<Session>();
        m_scripted = std::make_unique<ScriptedPlatform>();
        m_platform = std::make_unique<Platform>(m_scripted->platform());
        m_host = FakeWindowHost{};
        m_host.session = m_session.get();
        m_host.platform = m_platform.get();
    }
    // Opens the contacts file at `path` in the session, titled `title`.
    bool openContacts(const QString& path, const QString& title)
    {
        if (!m_session->file().open(path, Creation::CreateIfMissing).ok())
            return false;
        m_session->setOpenFile(path, title);
        return true;
    }

    std::unique_ptr<Session> m_session;
    std::unique_ptr<ScriptedPlatform> m_scripted;
    std::unique_ptr<Platform> m_platform;
    FakeWindowHost m_host;
};

} // namespace quillet::test
