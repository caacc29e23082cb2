#include "output/carddav/DavMultistatus.h"

#include "output/carddav/DavErrors.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace quillet {

namespace {

const QString dav = QStringLiteral("DAV:");
const QString carddav = QStringLiteral("urn:ietf:params:xml:ns:carddav");

bool is(const QXmlStreamReader& xml, const QString& ns, QStringView name)
{
    return xml.namespaceUri() == ns && xml.name() == name;
}

// "HTTP/1.1 404 Not Found" -> 404.
int statusCode(const QString& line)
{
    return line.section(u' ', 1, 1).toInt();
}

// The text of the first <href> inside the current element.
QUrl hrefInside(QXmlStreamReader& xml, const QUrl& base)
{
    QUrl found;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, u"href") && found.isEmpty())
            found = base.resolved(QUrl(xml.readElementText().trimmed()));
        else
            xml.skipCurrentElement();
    }
    return found;
}

void readResourceType(QXmlStreamReader& xml, DavEntry& entry)
{
    while (xml.readNextStartElement()) {
        entry.collection = entry.collection || is(xml, dav, u"collection");
        entry.addressBook = entry.addressBook || is(xml, carddav, u"addressbook");
        xml.skipCurrentElement();
    }
}

void readProp(QXmlStreamReader& xml, const QUrl& base, DavEntry& entry)
{
    while (xml.readNextStartElement()) {
        if (is(xml, dav, u"getetag"))
            entry.etag = xml.readElementText().trimmed().toUtf8();
        else if (is(xml, dav, u"displayname"))
            entry.displayName = xml.readElementText().trimmed();
        else if (is(xml, dav, u"resourcetype"))
            readResourceType(xml, entry);
        else if (is(xml, dav, u"current-user-principal"))
            entry.principal = hrefInside(xml, base);
        else if (is(xml, carddav, u"addressbook-home-set"))
            entry.homeSet = hrefInside(xml, base);
        else if (is(xml, carddav, u"address-data"))
            entry.addressData = xml.readElementText().toUtf8();
        else
            xml.skipCurrentElement();
    }
}

void readPropstat(QXmlStreamReader& xml, const QUrl& base, DavEntry& entry)
{
    DavEntry found;
    int status = 200;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, u"prop"))
            readProp(xml, base, found);
        else if (is(xml, dav, u"status"))
            status = statusCode(xml.readElementText().trimmed());
        else
            xml.skipCurrentElement();
    }
    if (status < 200 || status > 299)
        return;
    entry.etag = found.etag.isEmpty() ? entry.etag : found.etag;
    entry.displayName = found.displayName.isEmpty() ? entry.displayName : found.displayName;
    entry.collection = entry.collection || found.collection;
    entry.addressBook = entry.addressBook || found.addressBook;
    entry.principal = found.principal.isEmpty() ? entry.principal : found.principal;
    entry.homeSet = found.homeSet.isEmpty() ? entry.homeSet : found.homeSet;
    entry.addressData = found.addressData.isEmpty() ? entry.addressData : found.addressData;
}

DavEntry readResponse(QXmlStreamReader& xml, const QUrl& base)
{
    DavEntry entry;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, u"href"))
            entry.url = base.resolved(QUrl(xml.readElementText().trimmed()));
        else if (is(xml, dav, u"status"))
            entry.status = statusCode(xml.readElementText().trimmed());
        else if (is(xml, dav, u"propstat"))
            readPropstat(xml, base, entry);
        else
            xml.skipCurrentElement();
    }
    return entry;
}

bool looksLikeHtml(const DavReply& reply)
{
    const QByteArray start = reply.body.left(256).trimmed().toLower();
    return reply.contentType.toLower().contains("html") || start.startsWith("<!doctype html") ||
           start.startsWith("<html");
}

AppError unreadable(const DavReply& reply, const QXmlStreamReader& xml)
{
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return davErrors::notCardDav(reply.url, QStringLiteral("its XML breaks off, the answer was cut short"));
    return davErrors::notCardDav(
        reply.url,
        QStringLiteral("XML that cannot be read (line %1: %2)").arg(xml.lineNumber()).arg(xml.errorString()));
}

} // namespace

Result<std::vector<DavEntry>> readMultistatus(const DavReply& reply)
{
    if (reply.body.trimmed().isEmpty() && reply.status == 207)
        return davErrors::notCardDav(reply.url, QStringLiteral("an empty answer (HTTP status %1)").arg(reply.status));
    if (looksLikeHtml(reply))
        return davErrors::notCardDav(reply.url, QStringLiteral("a web page (HTTP status %1)").arg(reply.status));
    if (reply.status != 207)
        return davErrors::notCardDav(reply.url, QStringLiteral("HTTP status %1 for %2 where a WebDAV multistatus "
                                                               "belongs")
                                                    .arg(reply.status)
                                                    .arg(reply.url.path()));
    QXmlStreamReader xml(reply.body);
    std::vector<DavEntry> entries;
    if (xml.readNextStartElement()) {
        if (!is(xml, dav, u"multistatus"))
            return davErrors::notCardDav(reply.url, QStringLiteral("XML that is not a WebDAV multistatus"));
        while (xml.readNextStartElement()) {
            if (is(xml, dav, u"response"))
                entries.push_back(readResponse(xml, reply.url));
            else
                xml.skipCurrentElement();
        }
    }
    // Reading on to the end finds what breaks off after the root element closes, too.
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError())
        return unreadable(reply, xml);
    return entries;
}

namespace {

QByteArray propfind(const QList<std::pair<QString, QString>>& properties)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(dav, QStringLiteral("d"));
    xml.writeNamespace(carddav, QStringLiteral("c"));
    xml.writeStartElement(dav, QStringLiteral("propfind"));
    xml.writeStartElement(dav, QStringLiteral("prop"));
    for (const auto& [ns, name] : properties)
        xml.writeEmptyElement(ns, name);
    xml.writeEndDocument();
    return body;
}

} // namespace

QByteArray discoveryPropfind()
{
    return propfind({{dav, QStringLiteral("resourcetype")},
                     {dav, QStringLiteral("displayname")},
                     {dav, QStringLiteral("current-user-principal")},
                     {carddav, QStringLiteral("addressbook-home-set")}});
}

QByteArray cardsPropfind()
{
    return propfind({{dav, QStringLiteral("resourcetype")}, {dav, QStringLiteral("getetag")}});
}

QByteArray multigetReport(const QStringList& paths)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(dav, QStringLiteral("d"));
    xml.writeNamespace(carddav, QStringLiteral("c"));
    xml.writeStartElement(carddav, QStringLiteral("addressbook-multiget"));
    xml.writeStartElement(dav, QStringLiteral("prop"));
    xml.writeEmptyElement(dav, QStringLiteral("getetag"));
    xml.writeEmptyElement(carddav, QStringLiteral("address-data"));
    xml.writeEndElement();
    for (const QString& path : paths)
        xml.writeTextElement(dav, QStringLiteral("href"), path);
    xml.writeEndDocument();
    return body;
}

bool sameResource(const QUrl& a, const QUrl& b)
{
    const auto normal = [](const QUrl& url) {
        return url.adjusted(QUrl::StripTrailingSlash | QUrl::NormalizePathSegments | QUrl::RemoveUserInfo);
    };
    return normal(a) == normal(b);
}

} // namespace quillet
