// The list window's commands on a loaded list: labels, the report, the Edit menu
// and opening a contact.
#include "gui/list/ContactListWindow.h"

#include "core/list/ListClipboard.h"
#include "core/list/ListLabels.h"
#include "core/list/ListModel.h"
#include "core/list/ListReport.h"
#include "core/printing/GridDocument.h"
#include "core/printing/JobTitle.h"
#include "core/printing/PrintRunner.h"
#include "gui/session/ReturningWindow.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/LongWork.h"
#include "gui/widgets/WindowPlacement.h"
#include "ui_ContactListWindow.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace quillet {

void ContactListWindow::printReport()
{
    PrintDialogRequest request;
    request.fromPage = 1;
    request.toPage = estimatedReportPages(m_model->rowCount());
    request.allowSelection = !selectedRows().isEmpty();
    const PrintChoice choice = m_platform.printDialog.ask(request);
    if (choice.cancelled)
        return;
    if (choice.selectionOnly) {
        printSelection(choice);
        return;
    }
    const QStringList lines = m_model->lines();
    Status printed = checkReportLines(lines);
    if (printed) {
        BusyCursor busy(m_platform.prompter);
        const QString fileTitle = m_session.fileTitle();
        const QString title = jobTitle(QStringLiteral("Report"), fileTitle, lines.size());
        const qint64 pieces = reportStreamPieces(lines.size()) * std::max(1, choice.copies);
        printed = runLongWork(this, QStringLiteral("Printing the report…"), [&](WorkControl& control) {
            return printStreamCopies([&](int) { return cancellable(reportStream(lines, fileTitle), control, pieces); },
                                     choice, m_platform.printTarget, title);
        });
    }
    if (!printed && !isCancelled(printed.error()))
        showPrinterProblem(printed);
}

void ContactListWindow::printSelection(const PrintChoice& choice)
{
    const QStringList lines = m_model->lines(selectedRows());
    GridDocument document;
    composeLineSelection(lines, document);
    // Once, whatever the number of copies.
    PrintChoice once = choice;
    once.copies = 1;
    if (Status printed = printCopies(document, once, m_platform.printTarget,
                                     jobTitle(QStringLiteral("Report"), m_session.fileTitle(), lines.size()));
        !printed)
        showPrinterProblem(printed);
}

void ContactListWindow::showPrinterProblem(const Status& failure)
{
    m_platform.prompter.message(printProblemText(failure), printerProblemTitle, MessageIcon::Exclamation);
}

QList<int> ContactListWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_ui->contactsView->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ContactListWindow::editCopy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(clipboardTextFor(m_model->lines(selectedRows())));
}

void ContactListWindow::editCut()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QList<int> rows = selectedRows();
    const QString text = clipboardTextFor(m_model->lines(rows));
    m_model->removeRowsAt(rows);
    clipboard->setText(text);
}

void ContactListWindow::editPaste()
{
    const QString text = QGuiApplication::clipboard()->text();
    for (const QString& line : pastedLines(text))
        m_model->insert(ListEntry{line, 0});
}

void ContactListWindow::editSelectAll()
{
    m_ui->contactsView->selectAll();
}

// The contact opens over the list, which waits hidden with its lines and comes back
// when the contact window closes.
void ContactListWindow::openContact()
{
    // The line chosen may stand for another contact now: the user chooses again.
    if (refilledAfterOutsideChange())
        return;
    ContactsFile& file = m_session.file();
    const QModelIndex current = m_ui->contactsView->currentIndex();
    if (!current.isValid()) {
        showErrorBox(errors::invalidProcedureCall());
        return;
    }
    const int number = m_model->entry(current.row()).recordNumber;
    if (const Result<ContactRecord> record = file.read(number); !record) {
        showErrorBox(record.error());
        return;
    }
    closeContactWindow();
    m_contactWindow = m_host.openContactOver(
        this, number,
        {[this](int saved) { rerunSearch(saved, false); }, [this](int deleted) { rerunSearch(deleted, true); }});
}

void ContactListWindow::closeContactWindow()
{
    if (!m_contactWindow)
        return;
    if (auto* returning = dynamic_cast<ReturningWindow*>(m_contactWindow.data()))
        returning->setReturnWindow(nullptr);
    m_contactWindow->close();
}

void ContactListWindow::rerunSearch(int changedRecord, bool deleted)
{
    QList<int> selected;
    for (int row : selectedRows())
        selected << m_model->entry(row).recordNumber;
    const int currentRow = m_ui->contactsView->currentIndex().row();
    if (deleted) {
        // The records after a deleted one move down by one.
        selected.removeAll(changedRecord);
        for (int& number : selected)
            number -= number > changedRecord ? 1 : 0;
    }
    m_model->clear();
    Partial<std::vector<ListEntry>> found = loadList(m_session.file(), m_query, m_model->order());
    const int count = static_cast<int>(found.value.size());
    m_model->addSorted(std::move(found.value));
    m_ui->totalContactsLabel->setText(QStringLiteral("Contacts Found = ") + QString::number(count));
    if (!found.complete()) {
        showErrorBox(found.stoppedBy.error());
        return;
    }
    selectRecords(selected, currentRow);
}

void ContactListWindow::selectRecords(const QList<int>& numbers, int fallbackRow)
{
    QTreeView* view = m_ui->contactsView;
    QItemSelection selection;
    int first = -1;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (!numbers.contains(m_model->entry(row).recordNumber))
            continue;
        selection.select(m_model->index(row, 0), m_model->index(row, ListModel::ColumnCount - 1));
        first = first < 0 ? row : first;
    }
    if (first < 0 && m_model->rowCount() > 0) {
        first = std::clamp(fallbackRow, 0, m_model->rowCount() - 1);
        selection.select(m_model->index(first, 0), m_model->index(first, ListModel::ColumnCount - 1));
    }
    if (first < 0)
        return;
    view->selectionModel()->setCurrentIndex(m_model->index(first, 0), QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(m_model->index(first, 0));
}

bool ContactListWindow::refilledAfterOutsideChange()
{
    const ContactsFile& file = m_session.file();
    if (Status current = file.refresh(); !current) {
        // Gone: reported, and nothing is created in its place.
        quillet::showErrorBox(m_platform.prompter, current.error(), MessageButtons::Ok);
        m_model->clear();
        m_session.closeFile();
        return true;
    }
    if (file.identity() == m_filledFrom)
        return false;
    m_model->clear();
    getReport();
    return true;
}

void ContactListWindow::showErrorBox(const AppError& error)
{
    if (quillet::showErrorBox(m_platform.prompter, error) != MessageResult::Cancel)
        return;
    m_model->clear();
    close();
}

} // namespace quillet
