#include "output/carddav/DavErrors.h"

#include "core/contacts/ContactsFile.h"

namespace quillet::davErrors {

namespace {

const QString certificateText = QStringLiteral(": the server's certificate is not valid: ");
const QString plainHttpText = QStringLiteral(": plain HTTP would send the password unencrypted");

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

AppError noSecureConnection(const QUrl& url, const QString& reason)
{
    return errors::ownMessage(
        QStringLiteral("%1: no secure connection could be made; is it an HTTPS server? (%2)").arg(server(url), reason));
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
    return errors::ownMessage(server(url) + certificateText +
                              QStringLiteral("%1. Its SHA-256 fingerprint is %2; trust it only if you know it is "
                                             "this server's.")
                                  .arg(reason, fingerprint));
}

AppError plainHttpRefused(const QUrl& url)
{
    return errors::ownMessage(server(url) + plainHttpText +
                              QStringLiteral("; use https:// or allow plain HTTP for this server explicitly."));
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

bool isCertificateRefusal(const AppError& error)
{
    return error.number == 0 && error.description.contains(certificateText);
}

bool isPlainHttpRefusal(const AppError& error)
{
    return error.number == 0 && error.description.contains(plainHttpText);
}

} // namespace quillet::davErrors
