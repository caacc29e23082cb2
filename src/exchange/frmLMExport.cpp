#include "exchange/frmLMExport.h"

#include "ui_frmLMExport.h"

#include "common/ProgramFolder.h"
#include "exchange/ExportWriter.h"
#include "help/Help.h"
#include "platform/Platform.h"
#include "shell/Session.h"
#include "shell/WindowHost.h"

#include <QCloseEvent>

namespace quillet {

namespace {
const QString instruction =
    QStringLiteral("Select type of export file to create, Comma Separated Values (csv) or Text (txt).\n"
                   "Export file will contain First Name, Middle Initial, Last Name, Street Address1,\n"
                   "Street Address 2, City, State, Zip Code, Country, Home Phone, Cell Phone,\n"
                   "Work Phone, Email Address, Birthdate, Category, and Notes.\n"
                   "The export file will be stored in your Quillet folder.");
} // namespace

frmLMExport::frmLMExport(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmLMExport>()), m_session(session), m_platform(platform),
      m_host(host)
{
    m_ui->setupUi(this);
    m_ui->mnuETHelp->insertSeparator(m_ui->mnuETHelpAbout)->setObjectName(QStringLiteral("mnuETHelpBar0"));
    m_ui->mnuETHelpAbout->setText(about::caption());
    setWindowTitle(QStringLiteral("Export Contacts  [") + m_session.fileTitle() + u']');
    m_ui->lblExport->setText(instruction);
    m_ui->cmdExpCreate->setEnabled(false);

    const auto enableCreate = [this] { m_ui->cmdExpCreate->setEnabled(true); };
    connect(m_ui->optExpCGCSV, &QRadioButton::clicked, this, enableCreate);
    connect(m_ui->optExpCGTXT, &QRadioButton::clicked, this, enableCreate);
    connect(m_ui->cmdExpCreate, &QPushButton::clicked, this, &frmLMExport::createExport);
    connect(m_ui->cmdExpCancel, &QPushButton::clicked, this, &frmLMExport::close);
    connect(m_ui->mnuETFileExit, &QAction::triggered, this, &frmLMExport::exitProgram);
    connect(m_ui->mnuETHelpUM, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->mnuETHelpAbout, &QAction::triggered, this, [this] { m_host.showAbout(); });
}

frmLMExport::~frmLMExport() = default;

void frmLMExport::closeEvent(QCloseEvent* event)
{
    m_platform.prompter.setBusy(false);
    event->accept();
    if (!m_quitting)
        m_host.returnToMainWindow();
}

void frmLMExport::createExport()
{
    ExportKind kind = ExportKind::Csv;
    if (m_ui->optExpCGTXT->isChecked())
        kind = ExportKind::Text;
    else if (!m_ui->optExpCGCSV->isChecked())
        return;
    ExportSummary summary;
    Status status;
    {
        const BusyCursor busy(m_platform.prompter);
        status = exportContacts(m_session.file(), kind, programFolder(), summary);
    }
    if (!status) {
        reportFailure(status.error());
        return;
    }
    if (summary.written == 0)
        m_platform.prompter.message(exportNoContactsText, exportNoContactsTitle, MessageIcon::Information);
    else
        m_platform.prompter.message(exportDoneText(kind, summary.fileName), exportDoneTitle);
    m_ui->cmdExpCancel->setFocus();
}

void frmLMExport::reportFailure(const AppError& error)
{
    const MessageResult answer = m_platform.prompter.message(errorBoxText(error, ErrorEnding::Author), errorBoxTitle,
                                                             MessageIcon::Critical, MessageButtons::RetryCancel);
    if (answer == MessageResult::Cancel)
        close();
}

void frmLMExport::exitProgram()
{
    WindowHost& host = m_host;
    m_quitting = true;
    close();
    host.quitProgram();
}

} // namespace quillet
