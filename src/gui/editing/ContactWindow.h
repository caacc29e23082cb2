#pragma once

#include "gui/session/ReturningWindow.h"
#include "gui/session/WindowHost.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace Ui {
class ContactWindow;
}

namespace quillet {

class ContactFields;
class Session;
class Status;
struct Platform;

// The Contact Information window: finds a contact by name, steps through the
// file, saves changes in place, deletes the contact, and prints its label or its
// details page. The contact on show is the session's CurrentRecord. The window
// deletes itself when closed, and also, unseen, when the contacts file it was
// opened on is closed or replaced.
class ContactWindow : public QMainWindow, public ReturningWindow
{
    Q_OBJECT
public:
    ContactWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent = nullptr);
    ~ContactWindow() override;

    // The list's hand-over: shows record `number` in enabled fields, makes it the
    // CurrentRecord, refills the find box and puts the focus there.
    void openRecord(int number);
    // Clears the find box and fills it again from every record.
    void refillFindBox();
    // The window to show again when this one closes, instead of the main window
    // (the list a contact was opened from).
    void setReturnWindow(QWidget* window) override { m_returnWindow = window; }

    // The list's Open Contact (WindowHost::openContactOver): a new window over
    // `list`, which hides until the window closes.
    static ContactWindow* openOver(QWidget* list, int recordNumber, const ContactEdits& changes, Session& session,
                                   Platform& platform, WindowHost& host);

signals:
    void contactSaved(int recordNumber);
    void contactDeleted(int recordNumber);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    Status fillFindBox();
    bool showRecord(int number);
    void showEmptyFile();
    void setRecordControlsEnabled(bool enabled);
    void chooseFromFindBox(int index);
    void stepTo(int number);
    void stepFirst();
    void stepPrevious();
    void stepNext();
    void stepLast();
    void saveChanges();
    void deleteContact();
    void printLabel();
    void printDetails();
    void onSessionChanged();
    // The error box; Cancel closes the window.
    void reportFailure(const Status& status);
    // Another program changed the record on show, or the file is gone: says so and
    // returns true. Reloading the record is offered; a gone file ends the file-open state.
    bool handledOutsideChange(const Status& status, int number);

    Session& m_session;
    Platform& m_platform;
    WindowHost& m_host;
    std::unique_ptr<Ui::ContactWindow> m_ui;
    ContactFields* m_fields = nullptr;
    QString m_filePath; // the file the window was opened on
    // The bytes of the record on show as read: it is written or deleted only while
    // the file still holds them.
    QByteArray m_shownBytes;
    bool m_unloadingUnseen = false;
    QPointer<QWidget> m_returnWindow;
};

} // namespace quillet
