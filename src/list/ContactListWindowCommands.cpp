// The list window's commands on a loaded list: labels, the report, the Edit menu
// and opening a contact.
#include "list/ContactListWindow.h"

#include "list/ListClipboard.h"
#include "list/ListLabels.h"
#include "list/ListModel.h"
#include "list/ListReport.h"
#include "printing/GridDocument.h"
#include "printing/PrintRunner.h"
#include "shell/Session.h"
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
    request.allowSelection = m_ui->headerEdit->hasSelectedText() || !selectedRows().isEmpty();
    const PrintChoice choice = m_platform.printDialog.ask(request);
    if (choice.cancelled)
        return;
    if (choice.selectionOnly) {
        printSelection(choice);
        return;
    }
    const QStringList lines = m_model->lines();
    Status printed = checkReportLines(lines);
    if (printed)
        printed = printStreamCopies([&](int) { return reportStream(lines, m_session.fileTitle()); }, choice,
                                    m_platform.printTarget);
    if (!printed)
        showPrinterProblem();
}

void ContactListWindow::printSelection(const PrintChoice& choice)
{
    GridDocument document;
    if (headerHasFocus())
        composeHeaderSelection(m_ui->headerEdit->selectedText(), document);
    else
        composeLineSelection(m_model->lines(selectedRows()), document);
    // Once, whatever the number of copies.
    PrintChoice once = choice;
    once.copies = 1;
    if (!printCopies(document, once, m_platform.printTarget))
        showPrinterProblem();
}

void ContactListWindow::showPrinterProblem()
{
    m_platform.prompter.message(printerProblemText, printerProblemTitle, MessageIcon::Exclamation);
}

bool ContactListWindow::headerHasFocus() const
{
    return focusWidget() == m_ui->headerEdit;
}

QList<int> ContactListWindow::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_ui->contactsView->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ContactListWindow::updateEditMenu()
{
    const bool enable = !(headerHasFocus() && !m_ui->headerEdit->hasSelectedText());
    m_ui->cutAction->setEnabled(enable);
    m_ui->copyAction->setEnabled(enable);
}

void ContactListWindow::editCopy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (headerHasFocus())
        clipboard->setText(m_ui->headerEdit->selectedText());
    else
        clipboard->setText(clipboardTextFor(m_model->lines(selectedRows())));
}

void ContactListWindow::editCut()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (headerHasFocus()) {
        QLineEdit* header = m_ui->headerEdit;
        clipboard->setText(header->selectedText());
        if (header->hasSelectedText())
            header->del();
        return;
    }
    const QList<int> rows = selectedRows();
    const QString text = clipboardTextFor(m_model->lines(rows));
    m_model->removeRowsAt(rows);
    clipboard->setText(text);
}

void ContactListWindow::editPaste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (headerHasFocus()) {
        m_ui->headerEdit->insert(text);
        return;
    }
    for (const QString& line : pastedLines(text))
        m_model->insert(ListEntry{line, 0});
}

void ContactListWindow::editSelectAll()
{
    if (headerHasFocus()) {
        m_ui->headerEdit->setFocus();
        m_ui->headerEdit->selectAll();
        return;
    }
    m_ui->contactsView->selectAll();
}

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
    if (const Result<ContactRecord> record = file.readChecked(number); !record) {
        showErrorBox(record.error());
        return;
    }
    m_session.setCurrentRecord(number);
    m_model->clear();
    // The unload step hands over to the contact window, as CurrentRecord is set.
    close();
}

bool ContactListWindow::refilledAfterOutsideChange()
{
    const ContactsFile& file = m_session.file();
    if (Status current = file.refresh(); !current) {
        // Gone: reported, and nothing is created in its place.
        m_platform.prompter.message(errorBoxText(current.error()), errorBoxTitle);
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
    const MessageResult answer =
        m_platform.prompter.message(errorBoxText(error), errorBoxTitle, MessageIcon::None, MessageButtons::RetryCancel);
    if (answer != MessageResult::Cancel)
        return;
    m_model->clear();
    close();
}

} // namespace quillet
