#include "shell/frmZEzore.h"
#include "ui_frmZEzore.h"

#include "common/ProgramFolder.h"
#include "platform/qt/FocusedTextEditing.h"
#include "platform/qt/ShownWindows.h"
#include "shell/FileCommands.h"
#include "shell/MainCaption.h"
#include "shell/WindowSettings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace quillet {

namespace {

const QString instructions =
    QStringLiteral("Quillet prints labels (compatible with Avery 5160 and 8160 labels) and envelopes.\r\n"
                   "Power tip: click 'Search Contacts' to print labels for a specific subset of your contacts.");

} // namespace

frmZEzore::frmZEzore(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmZEzore>()), m_platform(platform),
      m_shownWindows(new ShownWindows(this))
{
    m_ui->setupUi(this);
    for (QLineEdit* line : {m_ui->txtLMLine1, m_ui->txtLMLine2, m_ui->txtLMline3, m_ui->txtLMLine4})
        line->installEventFilter(this);
    connectCommands();
    connectContactCommands();
    connectOptions();
    connectHelp();
    connect(&m_session, &Session::changed, this, &frmZEzore::refreshFromSession);
    refreshFromSession();
}

frmZEzore::~frmZEzore() = default;

void frmZEzore::start()
{
    show();
    m_ui->lblLMInstruct->setText(instructions);
    selectPortrait();
    m_ui->optLMLeftjust->setChecked(true);
    focusFirstLine(); // the Left-Justified option's own step
    setMargins(defaultMargins);
    m_ui->cboLMEnvelope->hide();
    focusFirstLine();
    uncheckAndHideBold();
}

void frmZEzore::connectCommands()
{
    connect(m_ui->mnuFileNew, &QAction::triggered, this, [this] { runFileCommand(FileCommand::New); });
    connect(m_ui->mnuFileOpen, &QAction::triggered, this, [this] { runFileCommand(FileCommand::Open); });
    connect(m_ui->mnuFileClose, &QAction::triggered, this, &frmZEzore::closeFile);
    connect(m_ui->mnuFileBdayOn, &QAction::triggered, this, [this] { switchReminders(true); });
    connect(m_ui->mnuFileBdayOff, &QAction::triggered, this, [this] { switchReminders(false); });
    connect(m_ui->mnuFilePrint, &QAction::triggered, this, &frmZEzore::printLines);
    connect(m_ui->mnuFilePrintPreview, &QAction::triggered, this, &frmZEzore::previewLines);
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuLMEdit, &QMenu::aboutToShow, this, &frmZEzore::updateEditMenu);
    connect(m_ui->mnuLMEditCut, &QAction::triggered, this, [this] { cutSelection(focusWidget()); });
    connect(m_ui->mnuLMEditCopy, &QAction::triggered, this, [this] { copySelection(focusWidget()); });
    connect(m_ui->mnuLMEditPaste, &QAction::triggered, this, [this] { pasteClipboard(focusWidget()); });
    connect(m_ui->cmdLMStart, &QPushButton::clicked, this, &frmZEzore::printLines);
    connect(m_ui->cmdRetAddress, &QPushButton::clicked, this, &frmZEzore::printReturnAddresses);
    connect(m_ui->cmdLMClear, &QPushButton::clicked, this, &frmZEzore::clearForm);
    connect(m_ui->cmdLMExit, &QPushButton::clicked, this, &QWidget::close);
}

void frmZEzore::connectContactCommands()
{
    const auto bind = [this](auto* sender, auto signal, ContactCommand command) {
        connect(sender, signal, this, [this, command] { runContactCommand(command); });
    };
    bind(m_ui->cmdAddContact, &QPushButton::clicked, ContactCommand::AddContact);
    bind(m_ui->mnuAdd, &QAction::triggered, ContactCommand::AddContact);
    bind(m_ui->cmdFindContact, &QPushButton::clicked, ContactCommand::FindContact);
    for (QAction* item : {m_ui->mnuEdit, m_ui->mnuFind, m_ui->mnuDelete, m_ui->mnuViewOne})
        bind(item, &QAction::triggered, ContactCommand::ContactWindow);
    bind(m_ui->mnuSrchContacts, &QAction::triggered, ContactCommand::ContactList);
    bind(m_ui->mnuViewAll, &QAction::triggered, ContactCommand::ContactList);
    bind(m_ui->mnuImport, &QAction::triggered, ContactCommand::Import);
    bind(m_ui->mnuExport, &QAction::triggered, ContactCommand::Export);
}

// Caption, hidden fields and every contact command follow the session, so after
// any command that closes the file the window is back in its no-file state.
void frmZEzore::refreshFromSession()
{
    const bool hasFile = m_session.hasFile();
    setWindowTitle(hasFile ? fileCaption(m_session.fileTitle()) : startupCaption());
    m_ui->txtFileNam->setText(hasFile ? m_session.filePath() : QString());
    m_ui->txtFileTitle->setText(hasFile ? m_session.fileTitle() : QString());
    m_ui->cmdAddContact->setEnabled(hasFile);
    m_ui->cmdFindContact->setEnabled(hasFile);
    for (QAction* item : {m_ui->mnuAdd, m_ui->mnuEdit, m_ui->mnuFind, m_ui->mnuDelete, m_ui->mnuSrchContacts,
                          m_ui->mnuImport, m_ui->mnuExport, m_ui->mnuViewOne, m_ui->mnuViewAll})
        item->setEnabled(hasFile);
    m_ui->mnuFileBdayOn->setEnabled(hasFile && m_session.reminderOnItemEnabled());
    m_ui->mnuFileBdayOff->setEnabled(hasFile && m_session.reminderOffItemEnabled());
}

// Worked out only when the menu drops down; the shortcuts keep the last state.
void frmZEzore::updateEditMenu()
{
    const bool selection = hasSelectedText(focusWidget());
    m_ui->mnuLMEditCut->setEnabled(selection);
    m_ui->mnuLMEditCopy->setEnabled(selection);
    m_ui->mnuLMEditPaste->setEnabled(true);
}

void frmZEzore::clearForm()
{
    uncheckAndHideBold();
    setLabelLines({});
    deselectMedia();
    m_ui->lblLMPosition->hide();
    m_ui->cboLMEnvelope->hide();
    m_ui->lblLMPosition->clear();
    m_envelopeSizeNo = QStringLiteral("0");
    setMargins(defaultMargins);
    focusFirstLine();
}

void frmZEzore::focusFirstLine()
{
    m_ui->txtLMLine1->setFocus();
}

// An exclusive pair of options can only be cleared with exclusivity switched off.
void frmZEzore::deselectMedia()
{
    for (QRadioButton* option : {m_ui->optLMLabel, m_ui->optLMEnvelope}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

QStringList frmZEzore::labelLines() const
{
    return {m_ui->txtLMLine1->text(), m_ui->txtLMLine2->text(), m_ui->txtLMline3->text(), m_ui->txtLMLine4->text(),
            m_ui->txtLMLine5->text()};
}

void frmZEzore::setLabelLines(const QStringList& lines)
{
    const QList<QLineEdit*> fields{m_ui->txtLMLine1, m_ui->txtLMLine2, m_ui->txtLMline3, m_ui->txtLMLine4,
                                   m_ui->txtLMLine5};
    for (qsizetype i = 0; i < fields.size(); ++i)
        fields[i]->setText(lines.value(i));
}

void frmZEzore::uncheckAndHideBold()
{
    m_ui->chkBold->setChecked(false);
    m_ui->chkBold->hide();
}

void frmZEzore::setContactCommand(ContactCommand command, std::function<void()> run)
{
    m_contactCommands[command] = std::move(run);
}

void frmZEzore::runContactCommand(ContactCommand command)
{
    // The commands are enabled only with a file; a shortcut must not slip past that.
    if (!m_session.hasFile())
        return;
    const auto found = m_contactCommands.find(command);
    if (found != m_contactCommands.end() && found->second)
        found->second();
}

void frmZEzore::setContactWindowOpener(std::function<void(int recordNumber)> open)
{
    m_openContactWindow = std::move(open);
}

void frmZEzore::openContactWindow(int recordNumber)
{
    if (m_session.hasFile() && m_openContactWindow)
        m_openContactWindow(recordNumber);
}

void frmZEzore::openWindow(QWidget* window)
{
    hide();
    window->show();
    window->activateWindow();
}

void frmZEzore::returnToMainWindow()
{
    if (m_shuttingDown)
        return;
    show();
    activateWindow();
    focusFirstLine();
}

void frmZEzore::quitProgram()
{
    close();
}

void frmZEzore::fillLabelLines(const QStringList& lines)
{
    returnToMainWindow();
    uncheckAndHideBold();
    setLabelLines(lines);
}

// Watches lines 1 to 4 only: Enter there moves on as Tab does; line 5 has no such rule.
bool frmZEzore::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmZEzore::closeEvent(QCloseEvent* event)
{
    m_shuttingDown = true;
    m_session.closeFile();
    // Shutdown goes on whatever happens; a name that cannot be restored now is
    // restored by the next New or Open or the next shutdown.
    static_cast<void>(restoreInstallerDataFile(programFolder()));
    closeOtherWindows();
    if (!isMinimized()) {
        const QScreen* shown = screen();
        writeMainWindowSettings(toTwips(frameGeometry(), shown ? shown->logicalDotsPerInch() : 96.0));
    }
    event->accept();
    emit programEnded();
}

void frmZEzore::closeOtherWindows()
{
    // Closing may only schedule deletion, so every pointer stays valid in this loop.
    for (QWidget* window : m_shownWindows->mostRecentFirst())
        window->close();
}

} // namespace quillet
