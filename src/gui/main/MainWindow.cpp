#include "gui/main/MainWindow.h"
#include "ui_MainWindow.h"

#include "core/common/ProgramFolder.h"
#include "gui/main/MainCaption.h"
#include "gui/main/WindowSettings.h"
#include "gui/session/FileCommands.h"
#include "gui/widgets/EditMenu.h"
#include "gui/widgets/ShownWindows.h"
#include "gui/widgets/WindowKeys.h"
#include "gui/widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace quillet {

namespace {

const QString instructions =
    QStringLiteral("Quillet prints labels (compatible with Avery 5160 and 8160 labels) and envelopes.\r\n"
                   "Power tip: click 'Search Contacts' to print labels for a specific subset of your contacts.");

} // namespace

MainWindow::MainWindow(const Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_platform(platform),
      m_shownWindows(new ShownWindows(this))
{
    m_ui->setupUi(this);
    pressButtonsOnEnter(this);
    // Long size names are elided so that the window fits an 800-pixel-wide screen.
    m_ui->envelopeSizeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ui->envelopeSizeCombo->setMinimumContentsLength(22);
    // The options that come and go keep their room, so the window does not jump.
    for (QWidget* coming : {static_cast<QWidget*>(m_ui->envelopeSizeCombo), static_cast<QWidget*>(m_ui->boldCheck),
                            static_cast<QWidget*>(m_ui->labelPositionLabel)}) {
        QSizePolicy policy = coming->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        coming->setSizePolicy(policy);
    }
    for (QLineEdit* line : {m_ui->line1Edit, m_ui->line2Edit, m_ui->line3Edit, m_ui->line4Edit})
        line->installEventFilter(this);
    connectCommands();
    connectContactCommands();
    connectOptions();
    connectHelp();
    connectRecentFiles();
    connect(&m_session, &Session::changed, this, &MainWindow::refreshFromSession);
    refreshFromSession();
}

MainWindow::~MainWindow() = default;

void MainWindow::start()
{
    show();
    m_ui->instructionsLabel->setText(instructions);
    setMargins(m_options.start());
    showOptions();
    m_ui->leftJustifyRadio->setChecked(true);
    focusFirstLine(); // the Left-Justified option's own step
}

void MainWindow::connectCommands()
{
    connect(m_ui->newAction, &QAction::triggered, this, [this] { runFileCommand(FileCommand::New); });
    connect(m_ui->openAction, &QAction::triggered, this, [this] { runFileCommand(FileCommand::Open); });
    connect(m_ui->closeAction, &QAction::triggered, this, &MainWindow::closeFile);
    connect(m_ui->remindersOnAction, &QAction::triggered, this, [this] { switchReminders(true); });
    connect(m_ui->remindersOffAction, &QAction::triggered, this, [this] { switchReminders(false); });
    connect(m_ui->printAction, &QAction::triggered, this, &MainWindow::printLines);
    connect(m_ui->printPreviewAction, &QAction::triggered, this, &MainWindow::previewLines);
    connect(m_ui->returnAddressPreviewAction, &QAction::triggered, this, &MainWindow::previewReturnAddresses);
    connect(m_ui->labelSheetAction, &QAction::triggered, this, &MainWindow::chooseLabelSheet);
    connect(m_ui->printerOffsetAction, &QAction::triggered, this, &MainWindow::setPrinterOffset);
    connect(m_ui->calibrationPageAction, &QAction::triggered, this, &MainWindow::printCalibrationPage);
    connect(m_ui->calibrationPreviewAction, &QAction::triggered, this, &MainWindow::previewCalibrationPage);
    connect(m_ui->exitAction, &QAction::triggered, this, &QWidget::close);
    new EditMenu(this, m_ui->editMenu, m_ui->cutAction, m_ui->copyAction, m_ui->pasteAction);
    connect(m_ui->printButton, &QPushButton::clicked, this, &MainWindow::printLines);
    connect(m_ui->returnAddressButton, &QPushButton::clicked, this, &MainWindow::printReturnAddresses);
    connect(m_ui->clearButton, &QPushButton::clicked, this, &MainWindow::clearForm);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::connectContactCommands()
{
    const auto bind = [this](auto* sender, auto signal, ContactCommand command) {
        connect(sender, signal, this, [this, command] { runContactCommand(command); });
    };
    bind(m_ui->addContactButton, &QPushButton::clicked, ContactCommand::AddContact);
    bind(m_ui->addContactAction, &QAction::triggered, ContactCommand::AddContact);
    bind(m_ui->findContactButton, &QPushButton::clicked, ContactCommand::FindContact);
    for (QAction* item :
         {m_ui->editContactAction, m_ui->findContactAction, m_ui->deleteContactAction, m_ui->viewOneAction})
        bind(item, &QAction::triggered, ContactCommand::ContactWindow);
    bind(m_ui->searchContactsAction, &QAction::triggered, ContactCommand::ContactList);
    bind(m_ui->viewAllAction, &QAction::triggered, ContactCommand::ContactList);
    bind(m_ui->importAction, &QAction::triggered, ContactCommand::Import);
    bind(m_ui->exportAction, &QAction::triggered, ContactCommand::Export);
}

// Caption, hidden fields and every contact command follow the session, so after
// any command that closes the file the window is back in its no-file state.
void MainWindow::refreshFromSession()
{
    const bool hasFile = m_session.hasFile();
    setWindowTitle(hasFile ? fileCaption(m_session.fileTitle()) : startupCaption());
    m_ui->fileNameEdit->setText(hasFile ? m_session.filePath() : QString());
    m_ui->fileTitleEdit->setText(hasFile ? m_session.fileTitle() : QString());
    m_ui->addContactButton->setEnabled(hasFile);
    m_ui->findContactButton->setEnabled(hasFile);
    for (QAction* item :
         {m_ui->addContactAction, m_ui->editContactAction, m_ui->findContactAction, m_ui->deleteContactAction,
          m_ui->searchContactsAction, m_ui->importAction, m_ui->exportAction, m_ui->viewOneAction, m_ui->viewAllAction})
        item->setEnabled(hasFile);
    const reminders::MenuItems reminderItems = reminders::menuItemsFor(m_session.reminderSwitch());
    m_ui->remindersOnAction->setEnabled(hasFile && reminderItems.onItemEnabled);
    m_ui->remindersOffAction->setEnabled(hasFile && reminderItems.offItemEnabled);
}

void MainWindow::clearForm()
{
    setMargins(m_options.clear());
    showOptions();
    setLabelLines({});
    focusFirstLine();
}

void MainWindow::focusFirstLine()
{
    m_ui->line1Edit->setFocus();
}

QStringList MainWindow::labelLines() const
{
    return {m_ui->line1Edit->text(), m_ui->line2Edit->text(), m_ui->line3Edit->text(), m_ui->line4Edit->text(),
            m_ui->line5Edit->text()};
}

void MainWindow::setLabelLines(const QStringList& lines)
{
    const QList<QLineEdit*> fields{m_ui->line1Edit, m_ui->line2Edit, m_ui->line3Edit, m_ui->line4Edit, m_ui->line5Edit};
    for (qsizetype i = 0; i < fields.size(); ++i)
        fields[i]->setText(lines.value(i));
}

void MainWindow::uncheckAndHideBold()
{
    m_options.hideBold();
    showOptions();
}

void MainWindow::setContactCommand(ContactCommand command, std::function<void()> run)
{
    m_contactCommands[command] = std::move(run);
}

void MainWindow::runContactCommand(ContactCommand command)
{
    // The commands are enabled only with a file; a shortcut must not slip past that.
    if (!m_session.hasFile())
        return;
    const auto found = m_contactCommands.find(command);
    if (found != m_contactCommands.end() && found->second)
        found->second();
}

void MainWindow::setContactWindowOpener(std::function<void(int recordNumber)> open)
{
    m_openContactWindow = std::move(open);
}

void MainWindow::setListContactOpener(ListContactOpener open)
{
    m_openListContact = std::move(open);
}

QWidget* MainWindow::openContactOver(QWidget* list, int recordNumber, const ContactEdits& changes)
{
    return m_openListContact ? m_openListContact(list, recordNumber, changes) : nullptr;
}

void MainWindow::openContactWindow(int recordNumber)
{
    if (m_session.hasFile() && m_openContactWindow)
        m_openContactWindow(recordNumber);
}

// The other window opens centred over this one; this one comes back where it was.
void MainWindow::openWindow(QWidget* window)
{
    // Where the window manager has the window's inside now; its frame goes around that.
    if (isVisible())
        m_hiddenGeometry = geometry();
    placeOver(window, this);
    hide();
    window->show();
    window->activateWindow();
}

void MainWindow::returnToMainWindow()
{
    if (m_shuttingDown)
        return;
    // The inside's place, not the frame's: a window shown again has no frame yet, and
    // a frame position would put its inside where its frame was.
    if (!isVisible() && m_hiddenGeometry.isValid())
        setGeometry(m_hiddenGeometry);
    show();
    activateWindow();
    focusFirstLine();
}

void MainWindow::quitProgram()
{
    close();
}

void MainWindow::fillLabelLines(const QStringList& lines)
{
    returnToMainWindow();
    uncheckAndHideBold();
    setLabelLines(lines);
}

// Watches lines 1 to 4 only: Enter there moves on as Tab does; line 5 has no such rule.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
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

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_shuttingDown = true;
    m_session.closeFile();
    // Shutdown goes on whatever happens; a name that cannot be restored now is
    // restored by the next New or Open or the next shutdown.
    static_cast<void>(restoreInstallerDataFile(programFolder()));
    closeOtherWindows();
    if (!isMinimized()) {
        const QScreen* shown = screen();
        writeMainWindowSettings(toTwips(windowFrame(this), shown ? shown->logicalDotsPerInch() : 96.0));
    }
    event->accept();
    emit programEnded();
}

void MainWindow::closeOtherWindows()
{
    // Closing may only schedule deletion, so every pointer stays valid in this loop.
    for (QWidget* window : m_shownWindows->mostRecentFirst())
        window->close();
}

} // namespace quillet
