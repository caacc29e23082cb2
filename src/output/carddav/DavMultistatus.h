#pragma once

#include "core/common/Result.h"
#include "output/carddav/DavReply.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quillet {

// One <response> of a WebDAV multistatus, with the properties CardDAV needs. Only
// properties that came with a 2xx status are kept.
struct DavEntry
{
    QUrl url; // the href, resolved against where the answer came from
    int status = 200;
    QByteArray etag;
    bool collection = false;
    bool addressBook = false;
    QString displayName;
    QUrl principal; // current-user-principal
    QUrl homeSet;   // the first addressbook-home-set
    QByteArray addressData;
};

// The responses of a 207 answer. Anything else (another status, an HTML page, XML
// that breaks off or is not a multistatus) says what it is.
Result<std::vector<DavEntry>> readMultistatus(const DavReply& reply);

// Request bodies.
QByteArray discoveryPropfind(); // resourcetype, displayname, the principal and the home set
QByteArray cardsPropfind();     // resourcetype, getetag
QByteArray multigetReport(const QStringList& paths);

// Whether two URLs name the same resource (a trailing slash aside).
bool sameResource(const QUrl& a, const QUrl& b);

} // namespace quillet
