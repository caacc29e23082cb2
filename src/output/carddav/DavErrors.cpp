#include "output/carddav/DavErrors.h"

#include "core/contacts/ContactsFile.h"

namespace quillet::davErrors {

namespace {

QString server(const QUrl& url)
{
    return url.port() < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
}

} // namespace

AppError loginRefused(const QUrl& url)
{
    return errors::ownMessage(
        QStringLiteral("%1: login refused; check the user name and the password.").arg(server(url)));
}

AppError serverDown(const QUrl& url, const QString& reason)
{
    return errors::ownMessage(
        QStringLiteral("%1: the server is down or cannot be reached (%2).").arg(server(url), reason));
}

AppError timedOut(const QUrl& url, int seconds)
{
    return errors::ownMessage(
        QStringLiteral("%1: the server did not answer within %2 seconds.").arg(server(url)).arg(seconds));
}

AppError notCardDav(const QUrl& url, const QString& what)
{
    return errors::ownMessage(
        QStringLiteral("%1: the answer is not what a CardDAV server gives: %2.").arg(server(url), what));
}

AppError certificateRejected(const QUrl& url, const QString& reason, const QString& fingerprint)
{
    return errors::ownMessage(QStringLiteral("%1: the server's certificate is not valid: %2. Its SHA-256 "
                                             "fingerprint is %3; trust it only if you know it is this server's.")
                                  .arg(server(url), reason, fingerprint));
}

AppError plainHttpRefused(const QUrl& url)
{
    return errors::ownMessage(QStringLiteral("%1: plain HTTP would send the password unencrypted; use https:// "
                                             "or allow plain HTTP for this server explicitly.")
                                  .arg(server(url)));
}

AppError notHttp(const QUrl& url)
{
    return errors::ownMessage(
        QStringLiteral("\"%1\" is not the address of a server (https://...).").arg(url.toDisplayString()));
}

AppError tooLarge(const QUrl& url)
{
    return errors::ownMessage(
        QStringLiteral("%1: an answer larger than %2 MB was refused.").arg(server(url)).arg(maxResponseBytes >> 20));
}

AppError tooManyCards(const QUrl& url)
{
    return errors::ownMessage(QStringLiteral("%1: the address book holds more than %2 cards, more than a contacts "
                                             "file can hold.")
                                  .arg(server(url))
                                  .arg(maxRecordsInMemory));
}

AppError tooManyRedirects(const QUrl& url)
{
    return errors::ownMessage(QStringLiteral("%1: the server sends the request on too many times.").arg(server(url)));
}

AppError noAddressBook(const QUrl& url)
{
    return errors::ownMessage(
        QStringLiteral("%1: no address book found at %2.").arg(server(url), url.toDisplayString()));
}

AppError cancelled()
{
    return errors::ownMessage(QStringLiteral("cancelled"));
}

} // namespace quillet::davErrors
