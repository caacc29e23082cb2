#include "output/carddav/DavExchange.h"

#include "core/exchange/CertificateFingerprint.h"
#include "output/carddav/DavErrors.h"

#include <QCryptographicHash>
#include <QNetworkReply>
#include <QSslCertificate>

namespace quillet {

namespace {

// Failures before or instead of an HTTP answer: the connection, not the content.
bool isConnectionError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ProxyConnectionRefusedError;
}

} // namespace

DavExchange::DavExchange(QNetworkReply* reply, int timeoutMs, QByteArray trustedCertificate)
    : m_reply(reply), m_timeoutMs(timeoutMs), m_trusted(std::move(trustedCertificate))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(timeoutMs);
    // The loop is the context of every connection, so none outlives the exchange.
    QObject::connect(&m_idle, &QTimer::timeout, &m_loop,
                     [this] { fail(davErrors::timedOut(m_reply->url(), (m_timeoutMs + 999) / 1000)); });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &m_loop, [this] { onMetaData(); });
    QObject::connect(reply, &QNetworkReply::readyRead, &m_loop, [this] { onReadyRead(); });
    QObject::connect(reply, &QNetworkReply::uploadProgress, &m_loop, [this] { m_idle.start(); });
    QObject::connect(reply, &QNetworkReply::sslErrors, &m_loop,
                     [this](const QList<QSslError>& sslErrors) { onSslErrors(sslErrors); });
    QObject::connect(reply, &QNetworkReply::finished, &m_loop, &QEventLoop::quit);
}

DavExchange::~DavExchange()
{
    if (!m_reply->isFinished())
        m_reply->abort();
    m_reply->deleteLater();
}

Result<DavReply> DavExchange::wait()
{
    if (!m_reply->isFinished() && !m_failure) {
        m_idle.start();
        m_loop.exec();
    }
    m_idle.stop();
    return outcome();
}

void DavExchange::fail(const AppError& error)
{
    if (m_failure)
        return;
    m_failure = error;
    m_reply->abort();
    m_loop.quit();
}

void DavExchange::onMetaData()
{
    m_idle.start();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > davErrors::maxResponseBytes)
        fail(davErrors::tooLarge(m_reply->url()));
}

void DavExchange::onReadyRead()
{
    m_idle.start();
    m_body += m_reply->read(davErrors::maxResponseBytes + 1 - m_body.size());
    if (m_body.size() > davErrors::maxResponseBytes)
        fail(davErrors::tooLarge(m_reply->url()));
}

void DavExchange::onSslErrors(const QList<QSslError>& sslErrors)
{
    QSslCertificate certificate = m_reply->sslConfiguration().peerCertificate();
    if (certificate.isNull() && !sslErrors.isEmpty())
        certificate = sslErrors.first().certificate();
    const QByteArray digest = certificate.digest(QCryptographicHash::Sha256);
    if (!m_trusted.isEmpty() && !certificate.isNull() && digest == m_trusted) {
        m_reply->ignoreSslErrors(sslErrors);
        return;
    }
    m_refused = digest;
    QStringList reasons;
    for (const QSslError& error : sslErrors)
        reasons << error.errorString();
    fail(davErrors::certificateRejected(m_reply->url(), reasons.join(QStringLiteral("; ")), fingerprintText(digest)));
}

Result<DavReply> DavExchange::outcome() const
{
    if (m_failure)
        return *m_failure;
    const QUrl url = m_reply->url();
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() && m_reply->error() == QNetworkReply::SslHandshakeFailedError)
        return davErrors::noSecureConnection(url, m_reply->errorString());
    if (!status.isValid())
        return davErrors::serverDown(url, m_reply->errorString());
    if (status.toInt() == 401)
        return davErrors::loginRefused(url);
    DavReply reply;
    reply.status = status.toInt();
    reply.url = url;
    reply.body = m_body + m_reply->read(davErrors::maxResponseBytes + 1 - m_body.size());
    if (reply.body.size() > davErrors::maxResponseBytes)
        return davErrors::tooLarge(url);
    // A body shorter than its Content-Length: Qt may or may not call it an error,
    // depending on when it sees the connection close, so it is checked first.
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding");
    if (length.isValid() && (encoding.isEmpty() || encoding == "identity") && reply.body.size() < length.toLongLong())
        return davErrors::notCardDav(url, QStringLiteral("the answer was cut off after %1 of %2 bytes")
                                              .arg(reply.body.size())
                                              .arg(length.toLongLong()));
    // An answer that began and then broke off.
    if (isConnectionError(m_reply->error()))
        return davErrors::notCardDav(url, QStringLiteral("the answer was cut off (%1)").arg(m_reply->errorString()));
    reply.contentType = m_reply->rawHeader("Content-Type");
    reply.etag = m_reply->rawHeader("ETag");
    reply.location = m_reply->rawHeader("Location");
    return reply;
}

} // namespace quillet
