#include "gui/editing/ContactWindow.h"

#include "core/contacts/LinkedFileQuestion.h"
#include "core/editing/ContactDeletion.h"
#include "core/editing/ContactPrinting.h"
#include "core/editing/ContactValidation.h"
#include "core/editing/FindEntries.h"
#include "core/help/Help.h"
#include "gui/editing/ContactFields.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/EditMenu.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/WindowKeys.h"
#include "gui/widgets/WindowPlacement.h"
#include "ports/Platform.h"
#include "ui_ContactWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

namespace quillet {

namespace {
const QString savedText = QStringLiteral("S A V E D");
}

ContactWindow::ContactWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_platform(platform), m_host(host),
      m_ui(std::make_unique<Ui::ContactWindow>()), m_filePath(session.filePath())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_fields = new ContactFields(this);
    makeScrollable(m_ui->mainLayout, m_ui->fieldsLayout);
    pressButtonsOnEnter(this);
    closeOnEscape(this);

    connect(m_ui->findContactCombo, &QComboBox::activated, this, &ContactWindow::chooseFromFindBox);
    connect(m_ui->firstButton, &QPushButton::clicked, this, &ContactWindow::stepFirst);
    connect(m_ui->previousButton, &QPushButton::clicked, this, &ContactWindow::stepPrevious);
    connect(m_ui->nextButton, &QPushButton::clicked, this, &ContactWindow::stepNext);
    connect(m_ui->lastButton, &QPushButton::clicked, this, &ContactWindow::stepLast);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &ContactWindow::saveChanges);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &ContactWindow::deleteContact);
    connect(m_ui->printLabelButton, &QPushButton::clicked, this, &ContactWindow::printLabel);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->zipFinderButton, &QPushButton::clicked, this,
            [this] { openZipCodeFinder(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->peopleFinderButton, &QPushButton::clicked, this,
            [this] { openPeopleFinder(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->printAction, &QAction::triggered, this, &ContactWindow::printDetails);
    new EditMenu(this, m_ui->editMenu, m_ui->cutAction, m_ui->copyAction, m_ui->pasteAction);
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
    connect(&m_session, &Session::changed, this, &ContactWindow::onSessionChanged);
    load();
}

ContactWindow::~ContactWindow() = default;

void ContactWindow::load()
{
    setWindowTitle(QStringLiteral("Contact Information  [") + m_session.fileTitle() + QStringLiteral("]"));
    if (Status filled = fillFindBox(); !filled) {
        // Nothing to show: Cancel brings the main window back instead of this one.
        if (showErrorBox(m_platform.prompter, filled.error()) == MessageResult::Cancel)
            QTimer::singleShot(0, this, &QWidget::close);
    }
    m_ui->findContactCombo->setFocus();
    const ContactForm shown = m_fields->texts();
    if (shown[FormField::FirstName].isEmpty() && shown[FormField::LastName].isEmpty() &&
        shown[FormField::Email].isEmpty())
        setRecordControlsEnabled(false);
}

void ContactWindow::openRecord(int number)
{
    if (!showRecord(number))
        return;
    m_session.setCurrentRecord(number);
    setRecordControlsEnabled(true);
    refillFindBox();
    // The box names the contact on show, as when the user chose it there.
    m_ui->findContactCombo->setCurrentIndex(m_ui->findContactCombo->findData(number));
    m_ui->findContactCombo->setFocus();
}

void ContactWindow::refillFindBox()
{
    if (Status filled = fillFindBox(); !filled)
        reportFailure(filled);
}

Status ContactWindow::fillFindBox()
{
    const Result<QList<FindEntry>> entries = findEntries(m_session.file());
    m_ui->findContactCombo->clear();
    if (entries) {
        for (const FindEntry& entry : *entries)
            m_ui->findContactCombo->addItem(entry.text, entry.record);
    }
    m_ui->findContactCombo->setCurrentIndex(-1);
    return entries.status();
}

void ContactWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_session.setCurrentRecord(0);
    if (m_unloadingUnseen)
        return;
    if (m_returnWindow) {
        m_returnWindow->show();
        m_returnWindow->activateWindow();
        return;
    }
    m_host.returnToMainWindow();
}

bool ContactWindow::showRecord(int number)
{
    const Result<QByteArray> read = m_session.file().readBytes(number);
    if (!read) {
        reportFailure(read.status());
        return false;
    }
    m_shownBytes = *read;
    m_fields->setTexts(formFromRecord(ContactRecord::fromBytes(m_shownBytes)));
    return true;
}

void ContactWindow::showEmptyFile()
{
    m_fields->setTexts(ContactForm{});
    refillFindBox();
    m_session.setCurrentRecord(0);
}

void ContactWindow::setRecordControlsEnabled(bool enabled)
{
    m_fields->setEnabled(enabled);
    m_ui->saveButton->setEnabled(enabled);
    m_ui->deleteButton->setEnabled(enabled);
    m_ui->printLabelButton->setEnabled(enabled);
}

void ContactWindow::chooseFromFindBox(int index)
{
    const int number = m_ui->findContactCombo->itemData(index).toInt();
    if (!showRecord(number))
        return;
    m_session.setCurrentRecord(number);
    setRecordControlsEnabled(true);
}

// Stepping shows the record whether or not the fields are enabled, and never
// changes that.
void ContactWindow::stepTo(int number)
{
    if (!showRecord(number))
        return;
    refillFindBox();
    m_session.setCurrentRecord(number);
}

void ContactWindow::stepFirst()
{
    if (m_session.file().count() == 0)
        showEmptyFile();
    else
        stepTo(1);
}

void ContactWindow::stepLast()
{
    const int count = m_session.file().count();
    if (count == 0)
        showEmptyFile();
    else
        stepTo(count);
}

// The next record must be whole: the length is not rounded here as the count is.
void ContactWindow::stepNext()
{
    const int next = m_session.currentRecord() + 1;
    if (QFileInfo(m_session.file().path()).size() >= qint64(next) * recordSize)
        stepTo(next);
    else
        m_platform.prompter.message(QStringLiteral("End of file."), QStringLiteral("No more contacts"));
}

void ContactWindow::stepPrevious()
{
    const int previous = m_session.currentRecord() - 1;
    if (previous >= 1)
        stepTo(previous);
    else
        m_platform.prompter.message(QStringLiteral("Beginning of file."), QStringLiteral("Start of file reached"));
}

// The find box keeps the old name until the next refill.
void ContactWindow::saveChanges()
{
    const ValidationResult result = validateContact(m_fields->texts(), saveChangesRules);
    m_fields->setTexts(result.form);
    if (!result.ok()) {
        m_fields->showRejection(m_platform.prompter, *result.rejection);
        return;
    }
    const ContactRecord record = recordFromForm(result.form, m_session.reminderFlag());
    const int number = m_session.currentRecord();
    const Status written = number < 1 ? Status(errors::badRecordNumber())
                                      : m_session.file().writeIfUnchanged(number, m_shownBytes, record);
    if (handledOutsideChange(written, number))
        return;
    if (!written) {
        reportFailure(written);
        return;
    }
    m_shownBytes = record.toBytes();
    m_session.noteRecordWritten();
    m_platform.prompter.message(savedText, QStringLiteral("Changes saved"));
    emit contactSaved(number);
}

void ContactWindow::deleteContact()
{
    const int number = m_session.currentRecord();
    if (number < 1) {
        reportFailure(errors::badRecordNumber());
        return;
    }
    if (!allowRewriteOfLinkedFile(m_session.file(), m_platform.prompter))
        return;
    const Result<ContactRecord> record = m_session.file().read(number);
    if (!record) {
        reportFailure(record.status());
        return;
    }
    const QString question = confirmDeletionTextFor(record->value(Field::FirstName), record->value(Field::MI),
                                                    record->value(Field::LastName));
    if (m_platform.prompter.message(question, confirmDeletionTitle, MessageIcon::None,
                                    MessageButtons::YesNoDefaultNo) != MessageResult::Yes) {
        m_platform.prompter.message(nothingDeletedText, nothingDeletedTitle);
        m_ui->cancelButton->setFocus();
        return;
    }
    Status deleted;
    {
        BusyCursor busy(m_platform.prompter);
        deleted = deleteRecord(m_session.file(), number, {}, m_shownBytes);
        m_session.file().setSplittingLinksAllowed(false);
    }
    if (handledOutsideChange(deleted, number))
        return;
    if (!deleted) {
        const bool retry = showErrorBox(m_platform.prompter, deleted.error()) != MessageResult::Cancel;
        // Only a failed reopening after the rename leaves the file closed; the
        // session follows, and that unloads this window.
        if (!m_session.file().isOpen())
            m_session.closeFile();
        else if (!retry)
            close();
        return;
    }
    m_platform.prompter.message(contactDeletedText, contactDeletedTitle);
    emit contactDeleted(number);
    close();
}

// Opened from the list, the window and the list both give way to the main window.
void ContactWindow::printLabel()
{
    const QStringList lines = labelLinesFor(m_fields->texts());
    hide();
    if (QWidget* list = m_returnWindow) {
        m_returnWindow = nullptr;
        m_unloadingUnseen = true;
        list->close();
        close();
    }
    m_host.fillLabelLines(lines);
}

void ContactWindow::printDetails()
{
    const QLineEdit* focused = qobject_cast<QLineEdit*>(focusWidget());
    PrintDialogRequest request;
    request.allowSelection = focused && focused->hasSelectedText();
    const PrintChoice choice = m_platform.printDialog.ask(request);
    if (choice.cancelled)
        return;
    GridDocument document;
    if (choice.selectionOnly) {
        if (!focused)
            return;
        document = selectionDocument(focused->selectedText());
    } else {
        const QString today = detailsDateText(m_platform.desktop.today());
        document = contactDetailsDocument(m_fields->texts(), today, choice.copies);
    }
    const Status printed =
        m_platform.printTarget.print(document, PrintJob::from(choice, contactDetailsJobTitle(m_fields->texts())));
    if (!printed)
        m_platform.prompter.message(printProblemText(printed), printerErrorTitle, MessageIcon::Exclamation);
}

void ContactWindow::onSessionChanged()
{
    if (m_session.hasFile() && m_session.filePath() == m_filePath)
        return;
    // The window must not outlive its file: saving or deleting would reach another one.
    m_unloadingUnseen = isHidden();
    close();
}

bool ContactWindow::handledOutsideChange(const Status& status, int number)
{
    if (status.ok())
        return false;
    if (status.error().description == recordChangedText) {
        // Yes shows the record as it is now; No keeps what the user typed.
        if (m_platform.prompter.message(recordChangedText, QStringLiteral("Contact changed"), MessageIcon::None,
                                        MessageButtons::YesNo) == MessageResult::Yes)
            showRecord(number);
        return true;
    }
    if (status.error().number != errors::fileNotFound().number)
        return false;
    showErrorBox(m_platform.prompter, status.error(), MessageButtons::Ok);
    m_session.closeFile(); // the window goes with its file
    return true;
}

void ContactWindow::reportFailure(const Status& status)
{
    if (showErrorBox(m_platform.prompter, status.error()) == MessageResult::Cancel)
        close();
}

ContactWindow* ContactWindow::openOver(QWidget* list, int recordNumber, const ContactEdits& changes, Session& session,
                                       Platform& platform, WindowHost& host)
{
    auto* window = new ContactWindow(session, platform, host);
    window->setReturnWindow(list);
    if (changes.saved)
        connect(window, &ContactWindow::contactSaved, list, changes.saved);
    if (changes.deleted)
        connect(window, &ContactWindow::contactDeleted, list, changes.deleted);
    placeOver(window, list);
    list->hide();
    window->show();
    window->activateWindow();
    window->openRecord(recordNumber);
    return window;
}

} // namespace quillet
