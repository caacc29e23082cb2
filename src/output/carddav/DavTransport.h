#pragma once

#include "core/common/Result.h"
#include "core/common/WorkControl.h"
#include "output/carddav/DavReply.h"
#include "ports/AddressBookServer.h"

#include <memory>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;

namespace quillet {

class DavExchange;

// Sends WebDAV requests to one account's server, one at a time: HTTPS with the
// system's certificates (or the one certificate the user trusts), plain HTTP only
// to localhost unless the account allows it, redirections followed by hand so the
// method and body stay, the login given once per request (a second question means
// it was refused), and a cancel that stops the request under way and every later one.
class DavTransport
{
public:
    explicit DavTransport(DavAccount account);
    ~DavTransport();
    DavTransport(const DavTransport&) = delete;
    DavTransport& operator=(const DavTransport&) = delete;

    // The final answer, after redirections; a gateway's "down" statuses (502, 503,
    // 504) give the server-down message, other statuses are the caller's to judge.
    Result<DavReply> send(DavRequest request);
    // Stops the request under way and every later one with errors::cancelled().
    void cancel();
    // A run's control, asked while a request waits whether the user cancelled; it
    // lives on another thread, so it is asked rather than told.
    void watch(WorkControl* control) { m_control = control; }
    const DavAccount& account() const { return m_account; }
    // The SHA-256 of the certificate the last request refused, empty when none was.
    QByteArray refusedCertificate() const { return m_refused; }

    // Whether a URL may be asked at all: http or https, and plain http only for
    // localhost or when allowed.
    static Status checkAddress(const QUrl& url, bool allowHttp);

private:
    Result<DavReply> sendOnce(const DavRequest& request);
    void onAuthentication(QNetworkReply* reply, QAuthenticator* authenticator);

    DavAccount m_account;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    DavExchange* m_current = nullptr;
    WorkControl* m_control = nullptr;
    bool m_cancelled = false;
    bool m_loginGiven = false;
    QByteArray m_refused;
};

} // namespace quillet
