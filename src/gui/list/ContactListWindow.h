#pragma once

#include "core/common/Result.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/ListSearch.h"
#include "ports/Platform.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QRadioButton;

namespace Ui {
class ContactListWindow;
}

namespace quillet {

class ListModel;
class Session;
class WindowHost;
struct ListLabelsJob;
struct SheetTemplate;

// The contact list: a one-shot query (search field and text, sort order) whose
// "Get report" lists the matching contacts in a table, then labels, a report,
// clipboard commands and opening a contact from the list, which keeps the list to
// come back to. It deletes itself when closed, so every opening starts afresh. A
// dialog, so that Enter presses "Get report".
class ContactListWindow : public QDialog
{
    Q_OBJECT
public:
    ContactListWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent = nullptr);
    ~ContactListWindow() override;

    // What "All Contacts" and "Search Contacts" do after hiding the main window:
    // show the window with the search frame, viewing all contacts, by first name.
    void startFromMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupTable();
    void connectControls();
    void load();
    void onSearchFieldClicked(QRadioButton* option, SearchField field);
    void onSearchAllClicked();
    void onSortClicked(QRadioButton* option, SortOrder order);
    void getReport();
    void showLoadResult(int found);
    // ContactListWindowLabels.cpp: labels on the chosen sheet, previews, the sheet dialog.
    void printLabels();
    std::optional<int> askLabelStart(const SheetTemplate& sheet);
    Result<ListLabelsJob> readLabels(const SheetTemplate& sheet, int start);
    void previewLabels();
    void previewReport();
    void chooseLabelSheet();
    void printReport();
    void printSelection(const PrintChoice& choice);
    void showPrinterProblem(const Status& failure = {});

    QList<int> selectedRows() const;
    void editCopy();
    void editCut();
    void editPaste();
    void editSelectAll();
    void openContact();
    void closeContactWindow();
    // After a save or delete in the contact opened from here: the search again,
    // keeping the selection on the same contacts where they are still listed.
    void rerunSearch(int changedRecord, bool deleted);
    void selectRecords(const QList<int>& numbers, int fallbackRow);
    // The Retry/Cancel error box; Cancel clears the list and closes the window.
    void showErrorBox(const AppError& error);
    // Record numbers hold only for the file the list was filled from: when another
    // program changed its record count or replaced it, the list is filled again.
    // True when it was (or the file is gone, which ends the file-open state).
    bool refilledAfterOutsideChange();

    std::unique_ptr<Ui::ContactListWindow> m_ui;
    Session& m_session;
    Platform m_platform;
    WindowHost& m_host;
    ListModel* m_model = nullptr;
    ListQuery m_query;
    QString m_resultLabel;
    bool m_partialLoad = false;
    FileIdentity m_filledFrom;
    bool m_unloaded = false;
    QPointer<QWidget> m_contactWindow;
};

} // namespace quillet
