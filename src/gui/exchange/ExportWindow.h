#pragma once

#include "core/common/AppError.h"
#include "core/exchange/ExportWriter.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class ExportWindow;
}

namespace quillet {

class Session;
class WindowHost;
struct Platform;

// The Export Contacts window: writes every contact of the open file to a CSV,
// "|"-separated text or vCard file in the program's folder through
// exportContacts(), or into an address book server (AddressBookServerWindow).
class ExportWindow : public QMainWindow
{
    Q_OBJECT
public:
    ExportWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent = nullptr);
    ~ExportWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createExport();
    void announceExport(ExportKind kind, const ExportSummary& summary);
    // The address book server choice: a window of its own over this one.
    void openServerWindow();
    void exitProgram();
    // The error box; Cancel closes the window.
    void reportFailure(const AppError& error);

    std::unique_ptr<Ui::ExportWindow> m_ui;
    Session& m_session;
    Platform& m_platform;
    WindowHost& m_host;
    bool m_quitting = false;
};

} // namespace quillet
