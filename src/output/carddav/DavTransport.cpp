#include "output/carddav/DavTransport.h"

#include "core/exchange/AddressBookChoice.h"
#include "output/carddav/DavErrors.h"
#include "output/carddav/DavExchange.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace quillet {

namespace {

constexpr int maxRedirections = 5;
constexpr int cancelPollMs = 50;

bool isRedirection(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

DavTransport::DavTransport(DavAccount account)
    : m_account(std::move(account)), m_manager(std::make_unique<QNetworkAccessManager>())
{
    QObject::connect(
        m_manager.get(), &QNetworkAccessManager::authenticationRequired, m_manager.get(),
        [this](QNetworkReply* reply, QAuthenticator* authenticator) { onAuthentication(reply, authenticator); });
}

DavTransport::~DavTransport() = default;

Status DavTransport::checkAddress(const QUrl& url, bool allowHttp)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return davErrors::notHttp(url);
    if (!allowHttp && needsHttpConsent(url))
        return davErrors::plainHttpRefused(url);
    return {};
}

Result<DavReply> DavTransport::send(DavRequest request)
{
    for (int hop = 0; hop <= maxRedirections; ++hop) {
        if (m_cancelled || (m_control && m_control->cancelled()))
            return errors::cancelled();
        if (Status allowed = checkAddress(request.url, m_account.allowHttp); !allowed)
            return allowed;
        Result<DavReply> reply = sendOnce(request);
        if (!reply)
            return reply;
        if (reply->status == 502 || reply->status == 503 || reply->status == 504)
            return davErrors::serverDown(reply->url, QStringLiteral("HTTP status %1").arg(reply->status));
        if (!isRedirection(reply->status) || reply->location.isEmpty())
            return reply;
        request.url = reply->url.resolved(QUrl::fromEncoded(reply->location));
    }
    return davErrors::tooManyRedirects(request.url);
}

void DavTransport::cancel()
{
    m_cancelled = true;
    if (m_current)
        m_current->fail(errors::cancelled());
}

Result<DavReply> DavTransport::sendOnce(const DavRequest& request)
{
    QNetworkRequest wire(request.url);
    wire.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    wire.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Quillet"));
    if (!request.contentType.isEmpty())
        wire.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    for (const auto& [name, value] : request.headers)
        wire.setRawHeader(name, value);
    m_loginGiven = false;
    DavExchange exchange(m_manager->sendCustomRequest(wire, request.method, request.body), m_account.timeoutMs,
                         m_account.trustedCertificate);
    m_current = &exchange;
    QTimer cancelWatch;
    if (m_control) {
        QObject::connect(&cancelWatch, &QTimer::timeout, &cancelWatch, [this] {
            if (m_control->cancelled())
                cancel();
        });
        cancelWatch.start(cancelPollMs);
    }
    Result<DavReply> reply = exchange.wait();
    m_current = nullptr;
    m_refused = exchange.refusedCertificate();
    return reply;
}

void DavTransport::onAuthentication(QNetworkReply* reply, QAuthenticator* authenticator)
{
    // Left unanswered, the question ends the request as refused. The password goes
    // to the account's own host, or to another only over verified HTTPS.
    const QUrl url = reply->url();
    const bool mayAnswer = url.host().compare(m_account.url.host(), Qt::CaseInsensitive) == 0 ||
                           url.scheme().compare(QStringLiteral("https"), Qt::CaseInsensitive) == 0;
    if (m_loginGiven || m_account.user.isEmpty() || !mayAnswer)
        return;
    m_loginGiven = true;
    authenticator->setUser(m_account.user);
    authenticator->setPassword(m_account.password);
}

} // namespace quillet
