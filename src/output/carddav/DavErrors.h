#pragma once

#include "core/common/AppError.h"

#include <QString>
#include <QUrl>

namespace quillet::davErrors {

// Each network failure has a message of its own, naming the server.
AppError loginRefused(const QUrl& url);
AppError serverDown(const QUrl& url, const QString& reason);
AppError noSecureConnection(const QUrl& url, const QString& reason);
AppError timedOut(const QUrl& url, int seconds);
AppError notCardDav(const QUrl& url, const QString& what);
// `fingerprint` is the certificate's SHA-256, which the user may choose to trust.
AppError certificateRejected(const QUrl& url, const QString& reason, const QString& fingerprint);
AppError plainHttpRefused(const QUrl& url);
AppError notHttp(const QUrl& url);
AppError tooLarge(const QUrl& url);
AppError tooManyCards(const QUrl& url);
AppError tooManyRedirects(const QUrl& url);
AppError noAddressBook(const QUrl& url);

// Failures the user can get past by saying so (trusting the certificate, allowing HTTP).
bool isCertificateRefusal(const AppError& error);
bool isPlainHttpRefusal(const AppError& error);

// The largest answer taken from a server.
inline constexpr qint64 maxResponseBytes = qint64(50) << 20;

} // namespace quillet::davErrors
