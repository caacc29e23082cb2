#pragma once

#include "common/AppError.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class ImportWindow;
}

namespace quillet {

class Session;
class WindowHost;
struct Platform;

// The Import Contacts window: picks a CSV file and imports it into the open
// contacts file through importContacts().
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
    void startImport();
    void exitProgram();
    void updateEditMenu();
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    // The error box; Cancel closes the window.
    void reportFailure(const AppError& error);

    std::unique_ptr<Ui::ImportWindow> m_ui;
    Session& m_session;
    Platform& m_platform;
    WindowHost& m_host;
    QString m_csvPath;
    QString m_csvName;
    bool m_quitting = false;
};

} // namespace quillet
