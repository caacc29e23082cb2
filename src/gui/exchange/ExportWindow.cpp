#include "gui/exchange/ExportWindow.h"

#include "ui_ExportWindow.h"

#include "core/common/ProgramFolder.h"
#include "core/exchange/ExportWriter.h"
#include "core/help/Help.h"
#include "gui/exchange/AddressBookServerWindow.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/LongWork.h"
#include "gui/widgets/WindowKeys.h"
#include "ports/Platform.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

namespace quillet {

namespace {
const QString instruction =
    QStringLiteral("Select type of export file to create, Comma Separated Values (csv) or Text (txt).\n"
                   "Export file will contain First Name, Middle Initial, Last Name, Street Address1,\n"
                   "Street Address 2, City, State, Zip Code, Country, Home Phone, Cell Phone,\n"
                   "Work Phone, Email Address, Birthdate, Category, and Notes.\n"
                   "The export file will be stored in your Quillet folder.");
} // namespace

ExportWindow::ExportWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::ExportWindow>()), m_session(session), m_platform(platform),
      m_host(host)
{
    m_ui->setupUi(this);
    pressButtonsOnEnter(this);
    closeOnEscape(this);
    m_ui->helpMenu->insertSeparator(m_ui->aboutAction)->setObjectName(QStringLiteral("mnuETHelpBar0"));
    m_ui->aboutAction->setText(about::caption());
    setWindowTitle(QStringLiteral("Export Contacts  [") + m_session.fileTitle() + u']');
    m_ui->exportLabel->setText(instruction);
    m_ui->createButton->setEnabled(false);

    const auto enableCreate = [this] { m_ui->createButton->setEnabled(true); };
    connect(m_ui->csvRadio, &QRadioButton::clicked, this, enableCreate);
    connect(m_ui->textRadio, &QRadioButton::clicked, this, enableCreate);
    connect(m_ui->vcardRadio, &QRadioButton::clicked, this, enableCreate);
    connect(m_ui->serverRadio, &QRadioButton::clicked, this, enableCreate);
    m_ui->serverRadio->setVisible(platform.addressBooks != nullptr);
    connect(m_ui->createButton, &QPushButton::clicked, this, &ExportWindow::createExport);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &ExportWindow::close);
    connect(m_ui->exitAction, &QAction::triggered, this, &ExportWindow::exitProgram);
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
}

ExportWindow::~ExportWindow() = default;

void ExportWindow::closeEvent(QCloseEvent* event)
{
    m_platform.prompter.setBusy(false);
    event->accept();
    if (!m_quitting)
        m_host.returnToMainWindow();
}

void ExportWindow::createExport()
{
    ExportKind kind = ExportKind::Csv;
    if (m_ui->textRadio->isChecked())
        kind = ExportKind::Text;
    else if (m_ui->vcardRadio->isChecked())
        kind = ExportKind::VCard;
    else if (m_ui->serverRadio->isChecked())
        return openServerWindow();
    else if (!m_ui->csvRadio->isChecked())
        return;
    const Result<ExportSummary> summary = [&] {
        const BusyCursor busy(m_platform.prompter);
        return runLongWork(this, QStringLiteral("Exporting contacts…"), [&](WorkControl& control) {
            return exportContacts(m_session.file(), kind, programFolder(), &control);
        });
    }();
    if (!summary && isCancelled(summary.error()))
        return;
    if (!summary) {
        reportFailure(summary.error());
        return;
    }
    if (summary->written == 0)
        m_platform.prompter.message(exportNoContactsText, exportNoContactsTitle, MessageIcon::Information);
    else
        announceExport(kind, *summary);
    m_ui->cancelButton->setFocus();
}

// The message names the whole path, and the folder can be opened from it.
void ExportWindow::announceExport(ExportKind kind, const ExportSummary& summary)
{
    const QString path = QDir::toNativeSeparators(QFileInfo(summary.path).absoluteFilePath());
    const QString text = exportDoneText(kind, summary.fileName) + QStringLiteral("\r\n\r\n") + path;
    const MessageResult chosen =
        m_platform.prompter.message(text, exportDoneTitle, MessageIcon::None, MessageButtons::OkOpenFolder);
    if (chosen != MessageResult::OpenFolder)
        return;
    const QString folder = QFileInfo(summary.path).absolutePath();
    if (!m_platform.desktop.openDocument(folder))
        m_platform.prompter.message(QStringLiteral("The folder could not be opened.\r\n") +
                                        QDir::toNativeSeparators(folder),
                                    exportDoneTitle, MessageIcon::Information);
}

void ExportWindow::openServerWindow()
{
    auto* window = new AddressBookServerWindow(m_session, m_platform, AddressBookServerWindow::Purpose::Export, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->show();
}

void ExportWindow::reportFailure(const AppError& error)
{
    if (showErrorBox(m_platform.prompter, error) == MessageResult::Cancel)
        close();
}

void ExportWindow::exitProgram()
{
    WindowHost& host = m_host;
    m_quitting = true;
    close();
    host.quitProgram();
}

} // namespace quillet
