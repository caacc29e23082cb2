#pragma once

#include "core/common/Result.h"
#include "output/carddav/DavReply.h"

#include <QByteArray>
#include <QEventLoop>
#include <QList>
#include <QSslError>
#include <QTimer>

#include <optional>

class QNetworkReply;

namespace quillet {

// Waits for one network reply and takes its answer, within bounds: a timeout that
// restarts whenever data moves, at most maxResponseBytes of body, and a
// certificate that is valid or is the one the user trusts.
class DavExchange
{
public:
    DavExchange(QNetworkReply* reply, int timeoutMs, QByteArray trustedCertificate);
    ~DavExchange();
    DavExchange(const DavExchange&) = delete;
    DavExchange& operator=(const DavExchange&) = delete;

    // Runs the event loop until the reply ends. A reply that ends with an HTTP
    // status gives it, whatever it is (401 aside); a failure gives its message.
    Result<DavReply> wait();
    // Ends the exchange with this error.
    void fail(const AppError& error);
    // The SHA-256 of the certificate refused, empty when none was.
    QByteArray refusedCertificate() const { return m_refused; }

private:
    void onMetaData();
    void onReadyRead();
    void onSslErrors(const QList<QSslError>& sslErrors);
    Result<DavReply> outcome() const;

    QNetworkReply* m_reply;
    int m_timeoutMs;
    QByteArray m_trusted;
    QByteArray m_body;
    QByteArray m_refused;
    std::optional<AppError> m_failure;
    QTimer m_idle;
    QEventLoop m_loop;
};

} // namespace quillet
