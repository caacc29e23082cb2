#pragma once

#include "core/common/Result.h"
#include "core/common/WorkControl.h"
#include "core/exchange/ImportRun.h"
#include "core/exchange/ServerExport.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <vector>

namespace quillet {

class ContactsFile;

// Where and as whom an address book server is reached.
struct DavAccount
{
    QUrl url; // an address book, or just the server
    QString user;
    QString password;
    // The SHA-256 digest of a certificate the user trusts although it is not valid
    // (a self-signed server); any other invalid certificate is refused.
    QByteArray trustedCertificate;
    bool allowHttp = false; // plain HTTP to a host other than localhost
    int timeoutMs = 30000;  // for each request, counted while nothing moves
};

struct AddressBookInfo
{
    QUrl url;
    QString displayName; // as the server names it; may be empty
};

// A CardDAV address book server as the windows reach it. Each call is a
// conversation of its own on the calling thread, which the windows make a worker
// thread (runLongWork); `control` carries its progress, and its cancel stops the
// call with errors::cancelled().
class AddressBookServer
{
public:
    virtual ~AddressBookServer() = default;
    // The address books at the account's URL: that book alone when the URL names
    // one, else those of the user the server finds.
    virtual Result<std::vector<AddressBookInfo>> findBooks(const DavAccount& account, WorkControl& control) = 0;
    // Reads the whole book, then imports it as a vCard file would be.
    virtual Result<ImportSummary> importBook(const DavAccount& account, const QUrl& book, ContactsFile& file,
                                             const ImportOptions& options, WorkControl& control) = 0;
    virtual Result<ServerExportSummary> exportContacts(const DavAccount& account, const QUrl& book,
                                                       const ContactsFile& file, WorkControl& control) = 0;
    // The SHA-256 of the certificate the last call refused as not valid, so that
    // the user can be asked whether to trust it; empty when none was.
    virtual QByteArray refusedCertificate() const = 0;
};

} // namespace quillet
