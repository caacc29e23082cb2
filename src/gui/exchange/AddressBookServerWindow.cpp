#include "gui/exchange/AddressBookServerWindow.h"

#include "ui_AddressBookServerWindow.h"

#include "core/common/Settings.h"
#include "core/contacts/LinkedFileQuestion.h"
#include "core/exchange/AddressBookChoice.h"
#include "gui/session/Session.h"
#include "gui/widgets/ErrorBox.h"
#include "gui/widgets/LongWork.h"
#include "ports/Platform.h"

namespace quillet {

namespace {

const QString serverTitle = QStringLiteral("Address Book Server");
const QString exportDoneServerTitle = QStringLiteral("Export completed");
const QString exportCancelledText =
    QStringLiteral("Export cancelled: the cards written before stay in the address book.");

} // namespace

AddressBookServerWindow::AddressBookServerWindow(Session& session, Platform& platform, Purpose purpose, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AddressBookServerWindow>()), m_session(session), m_platform(platform),
      m_server(*platform.addressBooks), m_purpose(purpose)
{
    m_ui->setupUi(this);
    m_ui->serverEdit->setText(settings::value(settings::addressBookServer));
    m_ui->userEdit->setText(settings::value(settings::addressBookUser));
    m_ui->rememberCheck->setChecked(platform.passwords && settings::value(settings::addressBookRemember));
    m_ui->rememberCheck->setEnabled(platform.passwords != nullptr);
    m_ui->goButton->setEnabled(false);
    if (purpose == Purpose::Export) {
        setWindowTitle(QStringLiteral("Export to an Address Book Server"));
        m_ui->goButton->setText(QStringLiteral("&Export"));
        m_ui->noteLabel->setText(serverExportPromise);
    } else {
        setWindowTitle(QStringLiteral("Import from an Address Book Server"));
        m_ui->noteLabel->hide();
    }
    connect(m_ui->findButton, &QPushButton::clicked, this, &AddressBookServerWindow::findBooks);
    connect(m_ui->goButton, &QPushButton::clicked, this, &AddressBookServerWindow::transfer);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &AddressBookServerWindow::reject);
}

AddressBookServerWindow::~AddressBookServerWindow() = default;

std::optional<DavAccount> AddressBookServerWindow::account()
{
    DavAccount account;
    account.url = serverUrlFromText(m_ui->serverEdit->text());
    account.user = m_ui->userEdit->text().trimmed();
    account.password = m_ui->passwordEdit->text();
    account.trustedCertificate = m_trusted;
    if (needsHttpConsent(account.url) && m_httpAllowedFor != account.url) {
        const MessageResult answer = m_platform.prompter.message(
            QStringLiteral("%1 is reached over plain HTTP, which sends the password unencrypted. Connect anyway?")
                .arg(account.url.host()),
            serverTitle, MessageIcon::Exclamation, MessageButtons::YesNoDefaultNo);
        if (answer != MessageResult::Yes)
            return std::nullopt;
        m_httpAllowedFor = account.url;
    }
    account.allowHttp = m_httpAllowedFor == account.url;
    // A remembered password fills an empty field.
    if (account.password.isEmpty() && m_ui->rememberCheck->isChecked() && m_platform.passwords) {
        if (const Result<QString> kept = m_platform.passwords->readPassword(passwordKey(account.url, account.user)))
            account.password = *kept;
    }
    return account;
}

template <typename Call> auto AddressBookServerWindow::talk(DavAccount& account, const QString& label, Call call)
{
    const auto run = [&] {
        const BusyCursor busy(m_platform.prompter);
        return runLongWork(this, label, [&](WorkControl& control) { return call(account, control); });
    };
    auto result = run();
    const QByteArray refused = m_server.refusedCertificate();
    if (!result && !refused.isEmpty()) {
        const MessageResult answer = m_platform.prompter.message(
            result.error().description + QStringLiteral("\n\nTrust this certificate for this server?"), serverTitle,
            MessageIcon::Exclamation, MessageButtons::YesNoDefaultNo);
        if (answer == MessageResult::Yes) {
            m_trusted = account.trustedCertificate = refused;
            result = run();
        }
    }
    return result;
}

void AddressBookServerWindow::findBooks()
{
    std::optional<DavAccount> chosen = account();
    if (!chosen)
        return;
    m_ui->bookCombo->clear();
    const Result<std::vector<AddressBookInfo>> books =
        talk(*chosen, QStringLiteral("Looking for address books…"),
             [this](const DavAccount& account, WorkControl& control) { return m_server.findBooks(account, control); });
    if (!books) {
        // The user's own cancel needs no box; the window stays for another try.
        if (!isCancelled(books.error()))
            showFailure(books.error());
        return;
    }
    for (const AddressBookInfo& book : *books)
        m_ui->bookCombo->addItem(addressBookName(book), book.url);
    m_ui->goButton->setEnabled(true);
    m_ui->goButton->setFocus();
}

void AddressBookServerWindow::transfer()
{
    std::optional<DavAccount> chosen = account();
    const QUrl book = m_ui->bookCombo->currentData().toUrl();
    if (!chosen || book.isEmpty())
        return;
    if (m_purpose == Purpose::Import)
        importBook(*chosen, book);
    else
        exportToBook(*chosen, book);
}

void AddressBookServerWindow::importBook(const DavAccount& account, const QUrl& book)
{
    if (!allowRewriteOfLinkedFile(m_session.file(), m_platform.prompter))
        return;
    ImportOptions options;
    options.reminderFlag = m_session.reminderFlag();
    DavAccount used = account;
    const Result<ImportSummary> summary =
        talk(used, QStringLiteral("Reading the address book…"), [&](const DavAccount& account, WorkControl& control) {
            int stored = 0;
            options.onContact = [&](QByteArrayView, const ContactChanges&) { control.setProgress(++stored); };
            options.cancelled = [&control] { return control.cancelled(); };
            return m_server.importBook(account, book, m_session.file(), options, control);
        });
    m_session.file().setSplittingLinksAllowed(false);
    if (!summary && isCancelled(summary.error())) {
        m_platform.prompter.message(importCancelledText, importDoneTitle, MessageIcon::Information);
        return;
    }
    if (!summary || summary->stoppedBy) {
        showFailure(summary ? *summary->stoppedBy : summary.error());
        return;
    }
    rememberAccount(used);
    const QStringList said = QStringList{importDoneText(summary->imported)} + summaryLines(*summary);
    m_platform.prompter.message(said.join(u'\n'), importDoneTitle);
    accept();
}

void AddressBookServerWindow::exportToBook(const DavAccount& account, const QUrl& book)
{
    DavAccount used = account;
    const Result<ServerExportSummary> summary = talk(
        used, QStringLiteral("Writing to the address book…"), [&](const DavAccount& account, WorkControl& control) {
            return m_server.exportContacts(account, book, m_session.file(), control);
        });
    if (!summary && isCancelled(summary.error())) {
        m_platform.prompter.message(exportCancelledText, exportDoneServerTitle, MessageIcon::Information);
        return;
    }
    if (!summary) {
        showFailure(summary.error());
        return;
    }
    rememberAccount(used);
    m_platform.prompter.message(serverExportText(*summary), exportDoneServerTitle);
    accept();
}

void AddressBookServerWindow::rememberAccount(const DavAccount& account)
{
    settings::setValue(settings::addressBookServer, m_ui->serverEdit->text().trimmed());
    settings::setValue(settings::addressBookUser, account.user);
    settings::setValue(settings::addressBookRemember, m_ui->rememberCheck->isChecked());
    if (!m_platform.passwords)
        return;
    const QString key = passwordKey(account.url, account.user);
    const Status kept = m_ui->rememberCheck->isChecked() ? m_platform.passwords->savePassword(key, account.password)
                                                         : m_platform.passwords->forgetPassword(key);
    if (!kept)
        m_platform.prompter.message(kept.error().description, serverTitle, MessageIcon::Information);
}

void AddressBookServerWindow::showFailure(const AppError& error)
{
    showErrorBox(m_platform.prompter, error, MessageButtons::Ok, ErrorEnding::Quillet);
}

} // namespace quillet
