#include "exchange/frmLMImport.h"

#include "ui_frmLMImport.h"

#include "common/ProgramFolder.h"
#include "exchange/CsvLineReader.h"
#include "exchange/ImportRun.h"
#include "help/Help.h"
#include "platform/Platform.h"
#include "shell/Session.h"
#include "shell/WindowHost.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>

namespace quillet {

namespace {
const QString instruction = QStringLiteral(
    "First, download contacts (as a csv file) from your email provider or other source, and save to PC.\n"
    "When ready, click 'Open csv file' to select the file to import.  Click 'Import' to begin importing.");
const QString csvFilter = QStringLiteral("CSV Files (*.CSV)|*.CSV|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*");
} // namespace

frmLMImport::frmLMImport(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmLMImport>()), m_session(session), m_platform(platform),
      m_host(host)
{
    m_ui->setupUi(this);
    m_ui->mnuITHelp->insertSeparator(m_ui->mnuITHelpAbout)->setObjectName(QStringLiteral("mnuITHelpBar0"));
    m_ui->mnuITHelpAbout->setText(about::makerCaption());
    setWindowTitle(QStringLiteral("Import Contacts  [") + m_session.fileTitle() + u']');
    m_ui->txtImpFilename->hide();
    m_ui->cmdStartImport->setEnabled(false);
    m_ui->lblImpHdr->setText(instruction);

    connect(m_ui->cmdCsvOpen, &QPushButton::clicked, this, &frmLMImport::pickFile);
    connect(m_ui->cmdStartImport, &QPushButton::clicked, this, &frmLMImport::startImport);
    connect(m_ui->cmdImpCancel, &QPushButton::clicked, this, &frmLMImport::close);
    connect(m_ui->mnuITFileExit, &QAction::triggered, this, &frmLMImport::exitProgram);
    connect(m_ui->mnuITEdit, &QMenu::aboutToShow, this, &frmLMImport::updateEditMenu);
    connect(m_ui->mnuITEditCut, &QAction::triggered, this, &frmLMImport::cutSelection);
    connect(m_ui->mnuITEditCopy, &QAction::triggered, this, &frmLMImport::copySelection);
    connect(m_ui->mnuITEditPaste, &QAction::triggered, this, &frmLMImport::pasteClipboard);
    connect(m_ui->mnuITHelpUM, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->mnuITHelpAbout, &QAction::triggered, this, [this] { m_host.showAbout(); });
}

frmLMImport::~frmLMImport() = default;

void frmLMImport::closeEvent(QCloseEvent* event)
{
    m_platform.prompter.setBusy(false);
    event->accept();
    if (!m_quitting)
        m_host.returnToMainWindow();
}

void frmLMImport::pickFile()
{
    const FileChoice choice = m_platform.fileDialogs.chooseFile({QStringLiteral("Open"), programFolder(), csvFilter});
    // Cancelling keeps the dialog's last pick, which is taken again as if chosen anew.
    if (!choice.cancelled()) {
        m_csvPath = choice.path;
        m_csvName = choice.title;
    } else if (m_csvPath.isEmpty()) {
        return;
    }
    m_ui->txtImpFilename->setText(m_csvName);
    QFile file(m_csvPath);
    if (Status opened = openForReading(file); !opened) {
        reportFailure(opened.error());
        return;
    }
    m_ui->txtImpFilename->show();
    m_platform.prompter.setBusy(false);
    m_ui->cmdStartImport->setEnabled(true);
}

void frmLMImport::startImport()
{
    if (m_csvPath.isEmpty()) {
        m_platform.prompter.beep();
        m_platform.prompter.message(noCsvChosenText, noCsvChosenTitle, MessageIcon::Information);
        return;
    }
    ImportSummary summary;
    Status status;
    {
        const BusyCursor busy(m_platform.prompter);
        status = importContacts(m_csvPath, m_session.file(), m_session.reminderFlag(), summary);
    }
    if (!status) {
        reportFailure(status.error());
        return;
    }
    switch (summary.outcome) {
    case ImportSummary::Outcome::NoLayout:
        return;
    case ImportSummary::Outcome::NotCompatible:
        m_platform.prompter.message(notCompatibleText, notCompatibleTitle, MessageIcon::Information);
        break;
    case ImportSummary::Outcome::Imported:
        m_platform.prompter.message(importDoneText(summary.imported), importDoneTitle);
        break;
    }
    m_ui->cmdStartImport->setEnabled(false);
    m_ui->cmdImpCancel->setFocus();
}

void frmLMImport::reportFailure(const AppError& error)
{
    const MessageResult answer = m_platform.prompter.message(errorBoxText(error, ErrorEnding::Quillet), errorBoxTitle,
                                                             MessageIcon::Critical, MessageButtons::RetryCancel);
    if (answer == MessageResult::Cancel)
        close();
}

void frmLMImport::exitProgram()
{
    WindowHost& host = m_host;
    m_quitting = true;
    close();
    host.quitProgram();
}

void frmLMImport::updateEditMenu()
{
    m_ui->mnuITEditCut->setEnabled(true);
    m_ui->mnuITEditCopy->setEnabled(true);
    if (const auto* edit = qobject_cast<QLineEdit*>(focusWidget()); edit && edit->selectedText().isEmpty()) {
        m_ui->mnuITEditCut->setEnabled(false);
        m_ui->mnuITEditCopy->setEnabled(false);
    }
}

void frmLMImport::cutSelection()
{
    auto* edit = qobject_cast<QLineEdit*>(focusWidget());
    if (!edit)
        return;
    copySelection();
    if (edit->hasSelectedText())
        edit->del();
}

void frmLMImport::copySelection()
{
    const auto* edit = qobject_cast<QLineEdit*>(focusWidget());
    if (!edit)
        return;
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(edit->selectedText());
}

void frmLMImport::pasteClipboard()
{
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget()))
        edit->insert(QGuiApplication::clipboard()->text());
}

} // namespace quillet
