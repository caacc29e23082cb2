#pragma once

#include "core/printing/PrintMargins.h"
#include "core/printing/PrintOptionsChoice.h"
#include "core/printing/TypedLines.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "ports/Platform.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace quillet {

enum class FileCommand;
struct FileCommandOutcome;
class ShownWindows;

// The contact commands of the main window, run by the windows of the contacts
// subsystems: they register what each command does with setContactCommand().
enum class ContactCommand {
    AddContact,    // cmdAddContact, mnuAdd: quick add from the label lines
    FindContact,   // cmdFindContact: the contact window with the focus on its name box
    ContactWindow, // mnuEdit, mnuFind, mnuDelete, mnuViewOne
    ContactList,   // mnuSrchContacts, mnuViewAll
    Import,        // mnuImport
    Export         // mnuExport
};

// The main window: the five label lines and their print options, the contacts
// file commands, and the way to every other window. It owns the session that all
// windows share; captions and command states are derived from it.
class MainWindow : public QMainWindow, public WindowHost
{
    Q_OBJECT
public:
    explicit MainWindow(const Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step: shows the window and puts its controls into their start state.
    void start();
    // Opens the contacts file at `path` as File > Open would once it is chosen; a
    // file that is not there is reported and the open file stays open.
    void openFile(const QString& path);

    Session& session() { return m_session; }
    Platform& platform() { return m_platform; }

    // The five label lines as typed (txtLMLine1 ... txtLMLine5).
    QStringList labelLines() const override;
    void setLabelLines(const QStringList& lines);
    void uncheckAndHideBold();

    // What a contact command does; without one registered the command does nothing.
    void setContactCommand(ContactCommand command, std::function<void()> run);
    // What the list window's hand-over does (openContactWindow): show the contact
    // window with that record chosen.
    void setContactWindowOpener(std::function<void(int recordNumber)> open);
    // What the list's Open Contact does (openContactOver).
    using ListContactOpener = std::function<QWidget*(QWidget* list, int recordNumber, const ContactEdits& changes)>;
    void setListContactOpener(ListContactOpener open);
    // What Help > About does: the About window beside the window that asked.
    void setAboutOpener(std::function<void(QWidget* asker)> open);
    // Hides the main window and shows `window` in its place.
    void openWindow(QWidget* window);

    void returnToMainWindow() override;
    void quitProgram() override;
    void showAbout() override;
    void fillLabelLines(const QStringList& lines) override;
    void openContactWindow(int recordNumber) override;
    QWidget* openContactOver(QWidget* list, int recordNumber, const ContactEdits& changes) override;

signals:
    // The shutdown steps are done; the program may end.
    void programEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // MainWindow.cpp: construction, session-derived state, Edit menu, Clear Form, shutdown
    void connectCommands();
    void connectContactCommands();
    void refreshFromSession();
    void clearForm();
    void focusFirstLine();
    void runContactCommand(ContactCommand command);
    void closeOtherWindows();

    // MainWindowOptions.cpp: media, envelope size, orientation and alignment
    void connectOptions();
    void chooseLabelStock();
    void chooseEnvelope();
    void chooseEnvelopeSize(int index);
    void choosePortrait();
    void chooseLandscape();
    // Shows the options' state in the option buttons, the envelope list, Bold and the position caption.
    void showOptions();
    void setMargins(const std::optional<GridMargins>& margins);

    // MainWindowPrint.cpp: printing the lines and return-address sheets, preview
    TypedLinesRequest typedLinesRequest() const;
    std::array<QString, 5> typedLines() const;
    // Beeps and shows a rejection, focusing the line it names; false when there is none.
    bool rejected(const std::optional<PrintRejection>& rejection);
    void showPrinterProblem(const Status& failure = {});
    void printLines();
    void printReturnAddresses();
    void previewLines();
    void previewReturnAddresses();
    void chooseLabelSheet();
    void setPrinterOffset();
    void printCalibrationPage();
    void previewCalibrationPage();

    // MainWindowFile.cpp: File > New, Open, Close and the reminder switch
    void runFileCommand(FileCommand command);
    void closeFile();
    void switchReminders(bool on);
    void showErrorBox(const Status& status);
    void showFileOutcome(const FileCommandOutcome& outcome);

    // MainWindowRecent.cpp: File > Open Recent
    void connectRecentFiles();
    void fillRecentMenu();
    void openRecentFile(const QString& path);

    // MainWindowHelp.cpp: manual, web lookups, About
    void connectHelp();

    std::unique_ptr<Ui::MainWindow> m_ui;
    Platform m_platform;
    Session m_session;
    PrintOptionsChoice m_options;
    std::map<ContactCommand, std::function<void()>> m_contactCommands;
    std::function<void(int recordNumber)> m_openContactWindow;
    ListContactOpener m_openListContact;
    std::function<void(QWidget* asker)> m_openAbout;
    ShownWindows* m_shownWindows; // child of this window
    bool m_shuttingDown = false;
    QRect m_hiddenGeometry; // where the window was when another took its place
};

} // namespace quillet
