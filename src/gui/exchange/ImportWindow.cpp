#include "gui/exchange/ImportWindow.h"

#include "ui_ImportWindow.h"

#include "core/common/ProgramFolder.h"
#include "core/contacts/LinkedFileQuestion.h"
#include "core/exchange/CsvLineReader.h"
#include "core/exchange/ImportRun.h"
#include "core/help/Help.h"
#include "gui/exchange/AddressBookServerWindow.h"
#include "gui/exchange/ImportMappingPreview.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/EditMenu.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/LongWork.h"
#include "gui/widgets/WindowKeys.h"
#include "gui/widgets/WindowPlacement.h"
#include "ports/Platform.h"

#include <QCloseEvent>

#include <algorithm>

namespace quillet {

namespace {
const QString readingFileText = QStringLiteral("Reading the file…");
const QString instruction =
    QStringLiteral("First, download contacts (as a CSV, vCard or LDIF file) from your email provider or other "
                   "source, and save to PC.\n"
                   "When ready, click 'Open file' to select the file to import.  Click 'Import' to begin importing.");
// Every kind the import reads first, so that no readable file is hidden.
const QString importFilter =
    QStringLiteral("Contacts Files (*.CSV;*.TXT;*.VCF;*.VCARD;*.LDIF)|*.CSV;*.TXT;*.VCF;*.VCARD;*.LDIF|"
                   "CSV Files (*.CSV)|*.CSV|Text Files (*.TXT)|*.TXT|vCard Files (*.VCF;*.VCARD)|*.VCF;*.VCARD|"
                   "LDIF Files (*.LDIF)|*.LDIF|All Files (*.*)|*.*");
} // namespace

ImportWindow::ImportWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::ImportWindow>()), m_session(session), m_platform(platform),
      m_host(host)
{
    m_ui->setupUi(this);
    pressButtonsOnEnter(this);
    closeOnEscape(this);
    m_preview = new ImportMappingPreview(m_ui->mappingTable, m_ui->previewTable, this);
    m_ui->mappingTable->hide();
    m_ui->previewTable->hide();
    m_ui->importNoteLabel->hide();
    m_ui->helpMenu->insertSeparator(m_ui->aboutAction)->setObjectName(QStringLiteral("mnuITHelpBar0"));
    m_ui->aboutAction->setText(about::makerCaption());
    setWindowTitle(QStringLiteral("Import Contacts  [") + m_session.fileTitle() + u']');
    m_ui->fileNameEdit->hide();
    m_ui->importButton->setEnabled(false);
    m_ui->headerLabel->setText(instruction);
    m_ui->serverButton->setVisible(platform.addressBooks != nullptr);

    connect(m_ui->browseButton, &QPushButton::clicked, this, &ImportWindow::pickFile);
    connect(m_ui->importButton, &QPushButton::clicked, this, &ImportWindow::startImport);
    connect(m_ui->serverButton, &QPushButton::clicked, this, &ImportWindow::openServerWindow);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &ImportWindow::close);
    connect(m_ui->exitAction, &QAction::triggered, this, &ImportWindow::exitProgram);
    // Only an empty selection in a text box disables Cut and Copy here.
    new EditMenu(this, m_ui->editMenu, m_ui->cutAction, m_ui->copyAction, m_ui->pasteAction,
                 EditMenu::Disable::ForEmptyTextSelectionOnly);
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
    connect(m_preview, &ImportMappingPreview::mappingChanged, this, &ImportWindow::updateImportButton);
    connect(m_preview, &ImportMappingPreview::mappingChanged, this, &ImportWindow::showSummary);
}

ImportWindow::~ImportWindow() = default;

void ImportWindow::closeEvent(QCloseEvent* event)
{
    m_platform.prompter.setBusy(false);
    event->accept();
    if (!m_quitting)
        m_host.returnToMainWindow();
}

void ImportWindow::pickFile()
{
    const FileChoice choice =
        m_platform.fileDialogs.chooseFile({QStringLiteral("Open"), programFolder(), importFilter});
    // Cancelling keeps the dialog's last pick, which is taken again as if chosen anew.
    if (!choice.cancelled()) {
        m_csvPath = choice.path;
        m_csvName = choice.title;
    } else if (m_csvPath.isEmpty()) {
        return;
    }
    m_ui->fileNameEdit->setText(m_csvName);
    QFile file(m_csvPath);
    if (Status opened = openForReading(file); !opened) {
        reportFailure(opened.error());
        return;
    }
    file.close();
    m_ui->fileNameEdit->show();
    m_platform.prompter.setBusy(false);
    loadPreview();
}

void ImportWindow::loadPreview()
{
    // Choosing the reading may read the whole file (whether a classic layout would drop
    // a line): off the window's thread too.
    const Result<ColumnPreview> preview = [&] {
        const BusyCursor busy(m_platform.prompter);
        return runLongWork(this, readingFileText, [this](WorkControl&) { return previewColumns(m_csvPath, {}, 5); });
    }();
    m_previewShown = preview.ok() && !preview->headers.isEmpty() &&
                     (preview->reading == ImportReading::NameMatched || preview->reading == ImportReading::None);
    if (m_previewShown)
        m_preview->show(*preview);
    else
        m_preview->clear();
    m_ui->mappingTable->setVisible(m_previewShown);
    m_ui->previewTable->setVisible(m_previewShown);
    if (m_previewShown)
        growWithinScreen(this, sizeHint().expandedTo(QSize(760, 560)));
    m_readable = preview.ok();
    updateImportButton();
    if (!preview) {
        m_ui->summaryLabel->clear();
        reportFailure(preview.error());
        return;
    }
    showSummary();
}

// What the import would do, read from the whole file as a dry run does: nothing is written.
void ImportWindow::showSummary()
{
    if (m_previewShown && !m_preview->ready()) {
        m_ui->summaryLabel->clear();
        return;
    }
    ImportOptions options;
    options.dryRun = true;
    if (m_previewShown)
        options.mapping = m_preview->mapping();
    // A large file takes a while to read: the window stays drawn, and Cancel only
    // leaves the summary out.
    const Result<ImportSummary> summary = [&] {
        const BusyCursor busy(m_platform.prompter);
        return runLongWork(this, readingFileText, [&](WorkControl& control) {
            options.cancelled = [&control] { return control.cancelled(); };
            return importContacts(m_csvPath, m_session.file(), options);
        });
    }();
    if (!summary && isCancelled(summary.error())) {
        m_ui->summaryLabel->clear();
        return;
    }
    if (!summary || summary->outcome != ImportSummary::Outcome::Imported) {
        m_ui->summaryLabel->setText(summary ? QString() : errorBoxText(summary.error(), ErrorEnding::Quillet));
        return;
    }
    QStringList lines{readingText(*summary), previewText(*summary)};
    lines << summaryLines(*summary);
    m_ui->summaryLabel->setText(lines.join(u'\n'));
}

void ImportWindow::updateImportButton()
{
    const bool mapped = !m_previewShown || m_preview->ready();
    m_ui->importButton->setEnabled(m_readable && mapped);
    // A greyed-out Import says why.
    m_ui->importNoteLabel->setVisible(m_readable && !mapped);
}

void ImportWindow::startImport()
{
    if (m_csvPath.isEmpty()) {
        m_platform.prompter.beep();
        m_platform.prompter.message(noCsvChosenText, noCsvChosenTitle, MessageIcon::Information);
        return;
    }
    if (!allowRewriteOfLinkedFile(m_session.file(), m_platform.prompter))
        return;
    ImportOptions options;
    options.reminderFlag = m_session.reminderFlag();
    if (m_previewShown) {
        options.mapping = m_preview->mapping();
        m_preview->remember();
    }
    const Result<ImportSummary> summary = [&] {
        const BusyCursor busy(m_platform.prompter);
        Result<ImportSummary> run = runLongWork(this, QStringLiteral("Importing contacts…"), [&](WorkControl& control) {
            int read = 0;
            options.onContact = [&](QByteArrayView, const ContactChanges&) { control.setProgress(++read); };
            options.cancelled = [&control] { return control.cancelled(); };
            return importContacts(m_csvPath, m_session.file(), options);
        });
        m_session.file().setSplittingLinksAllowed(false);
        return run;
    }();
    if (!summary && isCancelled(summary.error())) {
        m_platform.prompter.message(importCancelledText, importDoneTitle, MessageIcon::Information);
        return;
    }
    if (!summary || summary->stoppedBy) {
        reportFailure(summary ? *summary->stoppedBy : summary.error());
        return;
    }
    switch (summary->outcome) {
    case ImportSummary::Outcome::NoLayout:
        return;
    case ImportSummary::Outcome::NotCompatible:
        m_platform.prompter.message(notCompatibleText, notCompatibleTitle, MessageIcon::Information);
        break;
    case ImportSummary::Outcome::Imported: {
        const QStringList said = QStringList{importDoneText(summary->imported)} + summaryLines(*summary);
        m_platform.prompter.message(said.join(u'\n'), importDoneTitle);
        break;
    }
    }
    m_ui->importButton->setEnabled(false);
    m_ui->cancelButton->setFocus();
}

void ImportWindow::openServerWindow()
{
    auto* window = new AddressBookServerWindow(m_session, m_platform, AddressBookServerWindow::Purpose::Import, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->show();
}

void ImportWindow::reportFailure(const AppError& error)
{
    if (showErrorBox(m_platform.prompter, error, MessageButtons::RetryCancel, ErrorEnding::Quillet) ==
        MessageResult::Cancel)
        close();
}

void ImportWindow::exitProgram()
{
    WindowHost& host = m_host;
    m_quitting = true;
    close();
    host.quitProgram();
}

} // namespace quillet
