#pragma once

#include "core/common/AppError.h"
#include "ports/AddressBookServer.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class AddressBookServerWindow;
}

namespace quillet {

class Session;
struct Platform;

// "From an address book server…": the server or book URL, the user and password,
// the address books found, then an import into the open contacts file or an
// export of it. Each call to the server runs as the file import does (runLongWork):
// off the window's thread, with a progress dialog whose Cancel stops it.
// The server and user are remembered in the settings, the password in the
// desktop's secret store only when "Remember password" is ticked.
class AddressBookServerWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Purpose { Import, Export };
    AddressBookServerWindow(Session& session, Platform& platform, Purpose purpose, QWidget* parent = nullptr);
    ~AddressBookServerWindow() override;

private:
    void findBooks();
    void transfer();
    void importBook(const DavAccount& account, const QUrl& book);
    void exportToBook(const DavAccount& account, const QUrl& book);
    // The account from the form; nullopt when the user declines plain HTTP.
    std::optional<DavAccount> account();
    // Runs call(account, control) off the window's thread, the progress dialog
    // labelled `label`; a refused certificate the user then trusts is tried once more.
    template <typename Call> auto talk(DavAccount& account, const QString& label, Call call);
    void rememberAccount(const DavAccount& account);
    void showFailure(const AppError& error);

    std::unique_ptr<Ui::AddressBookServerWindow> m_ui;
    Session& m_session;
    Platform& m_platform;
    AddressBookServer& m_server;
    Purpose m_purpose;
    QByteArray m_trusted;
    QUrl m_httpAllowedFor;
};

} // namespace quillet
