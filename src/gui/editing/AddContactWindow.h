#pragma once

#include "core/editing/ContactForm.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class AddContactWindow;
}

namespace quillet {

class ContactFields;
class Session;
class WindowHost;
struct Platform;
struct QuickAddResult;

// The Add Contact window: sixteen fields checked, cleaned and appended to the open
// contacts file as a new record. It deletes itself when closed and then brings the
// main window back; the opener hides the main window when it shows it.
class AddContactWindow : public QMainWindow
{
    Q_OBJECT
public:
    AddContactWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent = nullptr);
    ~AddContactWindow() override;

    // The main window's Add Contact command: parses the host's label lines into a
    // new window and shows it. Returns nullptr, after the beep and the message,
    // when line 1 holds text without a space.
    static AddContactWindow* quickAdd(Session& session, Platform& platform, WindowHost& host,
                                      QWidget* parent = nullptr);

    // Fills fields before the window is shown; fields the result leaves unset keep their text.
    void prefill(const QuickAddResult& parsed);
    void setFieldText(FormField field, const QString& text);
    QString fieldText(FormField field) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Checks, cleans and appends the form; false when it was not saved.
    bool save();
    void saveAndClose();
    void saveAndNew();

    Session& m_session;
    Platform& m_platform;
    WindowHost& m_host;
    std::unique_ptr<Ui::AddContactWindow> m_ui;
    ContactFields* m_fields = nullptr;
    bool m_loaded = false;
};

} // namespace quillet
