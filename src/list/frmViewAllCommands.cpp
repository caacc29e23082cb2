// The list window's commands on a loaded list: labels, the report, the Edit menu
// and opening a contact.
#include "list/frmViewAll.h"

#include "list/ListClipboard.h"
#include "list/ListLabels.h"
#include "list/ListModel.h"
#include "list/ListReport.h"
#include "printing/GridDocument.h"
#include "printing/PrintRunner.h"
#include "shell/Session.h"
#include "ui_frmViewAll.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace quillet {

void frmViewAll::printLabels()
{
    if (m_model->rowCount() == 0) {
        m_platform.prompter.message(QStringLiteral("Empty list, no labels to print."),
                                    QStringLiteral("No contacts found"));
        m_ui->cmdViewAllClose->setFocus();
        return;
    }
    const PrintChoice choice = m_platform.printDialog.ask(PrintDialogRequest{});
    if (choice.cancelled)
        return;
    QList<int> numbers;
    numbers.reserve(m_model->rowCount());
    for (const ListEntry& line : m_model->entries())
        numbers << line.recordNumber;
    GridDocument document;
    Status printed;
    {
        BusyCursor busy(m_platform.prompter);
        printed = composeListLabels(m_session.file(), numbers, document);
        if (printed)
            printed = printCopies(document, choice, m_platform.printTarget);
    }
    if (!printed) {
        showPrinterProblem();
        return;
    }
    m_ui->cmdViewAllClose->setFocus();
}

void frmViewAll::printReport()
{
    PrintDialogRequest request;
    request.fromPage = 1;
    request.toPage = estimatedReportPages(m_model->rowCount());
    request.allowSelection = m_ui->txtViewAllHeader->hasSelectedText() || !selectedRows().isEmpty();
    const PrintChoice choice = m_platform.printDialog.ask(request);
    if (choice.cancelled)
        return;
    if (choice.selectionOnly) {
        printSelection(choice);
        return;
    }
    GridDocument document;
    Status printed = composeReport(m_model->lines(), m_session.fileTitle(), document);
    if (printed)
        printed = printCopies(document, choice, m_platform.printTarget);
    if (!printed)
        showPrinterProblem();
}

void frmViewAll::printSelection(const PrintChoice& choice)
{
    GridDocument document;
    if (headerHasFocus())
        composeHeaderSelection(m_ui->txtViewAllHeader->selectedText(), document);
    else
        composeLineSelection(m_model->lines(selectedRows()), document);
    // Once, whatever the number of copies.
    PrintChoice once = choice;
    once.copies = 1;
    if (!printCopies(document, once, m_platform.printTarget))
        showPrinterProblem();
}

void frmViewAll::showPrinterProblem()
{
    m_platform.prompter.message(printerProblemText, printerProblemTitle, MessageIcon::Exclamation);
}

bool frmViewAll::headerHasFocus() const
{
    return focusWidget() == m_ui->txtViewAllHeader;
}

QList<int> frmViewAll::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_ui->lstAllContacts->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void frmViewAll::updateEditMenu()
{
    const bool enable = !(headerHasFocus() && !m_ui->txtViewAllHeader->hasSelectedText());
    m_ui->mnuVAEditCut->setEnabled(enable);
    m_ui->mnuVAEditCopy->setEnabled(enable);
}

void frmViewAll::editCopy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (headerHasFocus())
        clipboard->setText(m_ui->txtViewAllHeader->selectedText());
    else
        clipboard->setText(clipboardTextFor(m_model->lines(selectedRows())));
}

void frmViewAll::editCut()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (headerHasFocus()) {
        QLineEdit* header = m_ui->txtViewAllHeader;
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

void frmViewAll::editPaste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (headerHasFocus()) {
        m_ui->txtViewAllHeader->insert(text);
        return;
    }
    for (const QString& line : pastedLines(text))
        m_model->insert(ListEntry{line, 0});
}

void frmViewAll::editSelectAll()
{
    if (headerHasFocus()) {
        m_ui->txtViewAllHeader->setFocus();
        m_ui->txtViewAllHeader->selectAll();
        return;
    }
    m_ui->lstAllContacts->selectAll();
}

void frmViewAll::openContact()
{
    ContactsFile& file = m_session.file();
    file.close();
    if (Status reopened = file.open(m_session.filePath()); !reopened) {
        showErrorBox(reopened.error());
        return;
    }
    const QModelIndex current = m_ui->lstAllContacts->currentIndex();
    if (!current.isValid()) {
        showErrorBox(errors::invalidProcedureCall());
        return;
    }
    const int number = m_model->entry(current.row()).recordNumber;
    ContactRecord record;
    if (Status read = file.readChecked(number, record); !read) {
        showErrorBox(read.error());
        return;
    }
    m_session.setCurrentRecord(number);
    m_model->clear();
    // The unload step hands over to the contact window, as CurrentRecord is set.
    close();
}

void frmViewAll::showErrorBox(const AppError& error)
{
    const MessageResult answer =
        m_platform.prompter.message(errorBoxText(error), errorBoxTitle, MessageIcon::None, MessageButtons::RetryCancel);
    if (answer != MessageResult::Cancel)
        return;
    m_model->clear();
    close();
}

} // namespace quillet
