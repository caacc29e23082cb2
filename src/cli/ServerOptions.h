#pragma once

#include "core/common/Result.h"
#include "ports/AddressBookServer.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QUrl>

namespace quillet {
class CardDavClient;
}

namespace quillet::cli {

// What import and export take to reach an address book server: --user, --book,
// --trust-certificate and --allow-http. Never a password, which other users could
// read in the process list.
QList<QCommandLineOption> serverOptions();
// The first server option given, as typed ("--user"); empty when none is. For the
// usage error when they come without a server.
QString givenServerOption(const QCommandLineParser& args);

// Whether an import source is a server rather than a file.
bool isServerAddress(const QString& source);

// The account the options name at `url`, without its password. A malformed
// --trust-certificate is a usage problem.
Result<DavAccount> accountFromArgs(const QString& url, const QCommandLineParser& args);
// The account with its password when it has a user: QUILLET_DAV_PASSWORD, else
// typed on the terminal without echo. Fails when there is neither.
Result<DavAccount> withPassword(DavAccount account);
// The book to use: the only one, or the one --book names among several.
Result<QUrl> chosenBook(CardDavClient& client, const QCommandLineParser& args);
// For a server's refusal the user can get past, the option that does; else empty.
QString serverHint(const AppError& error);

} // namespace quillet::cli
