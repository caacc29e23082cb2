#pragma once

#include "core/common/AppError.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class ImportWindow;
}

namespace quillet {

class ImportMappingPreview;
class Session;
class WindowHost;
struct Platform;

// The Import Contacts window: picks a CSV, vCard or LDIF file and imports it into
// the open contacts file through importContacts(). A CSV file whose columns are
// matched by name is shown in a mapping preview first; nothing is held open while it
// shows. Before importing, the window says what the import would do (a dry run).
class ImportWindow : public QMainWindow
{
    Q_OBJECT
public:
    ImportWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // The chosen CSV file: full path and name without folder (empty until one is picked).
    QString csvPath() const { return m_csvPath; }
    QString csvName() const { return m_csvName; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pickFile();
    // Shows the mapping preview for a file whose columns are matched by name.
    void loadPreview();
    void updateImportButton();
    void showSummary();
    void startImport();
    // "From an address book server…": a window of its own over this one.
    void openServerWindow();
    void exitProgram();
    // The error box; Cancel closes the window.
    void reportFailure(const AppError& error);

    std::unique_ptr<Ui::ImportWindow> m_ui;
    Session& m_session;
    Platform& m_platform;
    WindowHost& m_host;
    QString m_csvPath;
    QString m_csvName;
    bool m_quitting = false;
    ImportMappingPreview* m_preview;
    bool m_previewShown = false;
    bool m_readable = false; // the picked file is text the import can read
};

} // namespace quillet
