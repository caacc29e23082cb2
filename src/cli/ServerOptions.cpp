#include "cli/ServerOptions.h"

#include "cli/OptionValues.h"
#include "core/exchange/AddressBookChoice.h"
#include "core/exchange/CertificateFingerprint.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/DavErrors.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace quillet::cli {

namespace {

constexpr QLatin1String userName("user");
constexpr QLatin1String bookName("book");
constexpr QLatin1String trustName("trust-certificate");
constexpr QLatin1String allowHttpName("allow-http");

// A line typed on the terminal, not shown; nullopt without a terminal.
std::optional<QString> askPassword(const QString& prompt)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios saved{};
    const bool quiet = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    termios silent = saved;
    silent.c_lflag &= ~tcflag_t(ECHO);
    if (quiet)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar())
        line += char(c);
    if (quiet)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    return QString::fromLocal8Bit(line.c_str());
}

} // namespace

QList<QCommandLineOption> serverOptions()
{
    return {{userName,
             QStringLiteral("log in to the server as NAME; the password comes from\n"
                            "QUILLET_DAV_PASSWORD, else it is asked for without echo when\n"
                            "standard input is a terminal"),
             QStringLiteral("NAME")},
            {bookName, QStringLiteral("the address book, when the server has several (they are listed)"),
             QStringLiteral("NAME")},
            {trustName,
             QStringLiteral("accept the server's certificate although it is not valid (a\n"
                            "self-signed server) when its SHA-256 fingerprint is this one"),
             QStringLiteral("SHA256")},
            {allowHttpName, QStringLiteral("allow plain HTTP to a server other than localhost")}};
}

QString givenServerOption(const QCommandLineParser& args)
{
    for (const QLatin1String name : {userName, bookName, trustName, allowHttpName}) {
        if (args.isSet(name))
            return QStringLiteral("--") + name;
    }
    return {};
}

bool isServerAddress(const QString& source)
{
    return source.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive) ||
           source.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive);
}

Result<DavAccount> accountFromArgs(const QString& url, const QCommandLineParser& args)
{
    DavAccount account;
    account.url = serverUrlFromText(url);
    account.user = args.value(userName);
    account.allowHttp = args.isSet(allowHttpName);
    if (args.isSet(userName) && account.user.trimmed().isEmpty())
        return usageProblem(QStringLiteral("--user needs a name"));
    if (args.isSet(trustName)) {
        const std::optional<QByteArray> digest = fingerprintDigest(args.value(trustName));
        if (!digest)
            return usageProblem(QStringLiteral("--trust-certificate wants the 64 hex digits of a SHA-256 fingerprint"));
        account.trustedCertificate = *digest;
    }
    return account;
}

Result<DavAccount> withPassword(DavAccount account)
{
    if (account.user.isEmpty())
        return account;
    if (qEnvironmentVariableIsSet("QUILLET_DAV_PASSWORD")) {
        account.password = qEnvironmentVariable("QUILLET_DAV_PASSWORD");
        return account;
    }
    const std::optional<QString> typed =
        askPassword(QStringLiteral("Password for %1 at %2: ").arg(account.user, account.url.host()));
    if (!typed)
        return errors::ownMessage(QStringLiteral("no password: set QUILLET_DAV_PASSWORD, or run on a terminal "
                                                 "to be asked"));
    account.password = *typed;
    return account;
}

Result<QUrl> chosenBook(CardDavClient& client, const QCommandLineParser& args)
{
    const Result<std::vector<AddressBookInfo>> books = client.findBooks();
    if (!books)
        return books.status();
    const Result<AddressBookInfo> book = chooseAddressBook(*books, args.value(bookName));
    if (!book)
        return errors::ownMessage(book.error().description + QStringLiteral(" (--book NAME)"));
    return book->url;
}

QString serverHint(const AppError& error)
{
    if (davErrors::isCertificateRefusal(error))
        return QStringLiteral("to trust it, add --trust-certificate with that fingerprint");
    if (davErrors::isPlainHttpRefusal(error))
        return QStringLiteral("to allow it, add --allow-http");
    return {};
}

} // namespace quillet::cli
