#include "output/carddav/CardDavClient.h"

#include "core/contacts/ContactsFile.h"
#include "output/carddav/DavErrors.h"

#include <algorithm>

namespace quillet {

namespace {

const QByteArray xmlType = QByteArrayLiteral("application/xml; charset=utf-8");

const DavEntry* entryFor(const std::vector<DavEntry>& entries, const QUrl& url)
{
    for (const DavEntry& entry : entries) {
        if (sameResource(entry.url, url))
            return &entry;
    }
    return entries.size() == 1 ? &entries.front() : nullptr;
}

} // namespace

CardDavClient::CardDavClient(DavAccount account) : m_transport(std::move(account)) {}

Result<DavReply> CardDavClient::ask(const QByteArray& method, const QUrl& url, int depth, const QByteArray& body)
{
    DavRequest request{method, url, body, xmlType, {{"Depth", QByteArray::number(depth)}}};
    return m_transport.send(std::move(request));
}

Result<std::vector<DavEntry>> CardDavClient::entries(const QByteArray& method, const QUrl& url, int depth,
                                                     const QByteArray& body)
{
    const Result<DavReply> reply = ask(method, url, depth, body);
    if (!reply)
        return reply.status();
    return readMultistatus(*reply);
}

Result<std::vector<AddressBookInfo>> CardDavClient::findBooks()
{
    const QUrl start = m_transport.account().url;
    const Result<DavReply> reply = ask("PROPFIND", start, 0, discoveryPropfind());
    if (!reply)
        return reply.status();
    if (reply->status == 207) {
        const Result<std::vector<DavEntry>> found = readMultistatus(*reply);
        if (!found)
            return found.status();
        if (const DavEntry* self = entryFor(*found, reply->url)) {
            if (self->addressBook)
                return std::vector<AddressBookInfo>{{self->url, self->displayName}};
            if (!self->homeSet.isEmpty())
                return booksIn(self->homeSet);
            if (!self->principal.isEmpty())
                return booksOfPrincipal(self->principal);
        }
    }
    return booksFromWellKnown(start);
}

Result<std::vector<AddressBookInfo>> CardDavClient::booksFromWellKnown(const QUrl& start)
{
    const QUrl wellKnown = start.resolved(QUrl(QStringLiteral("/.well-known/carddav")));
    const Result<DavReply> reply = ask("PROPFIND", wellKnown, 0, discoveryPropfind());
    if (!reply)
        return reply.status();
    if (reply->status != 207)
        return davErrors::noAddressBook(start);
    const Result<std::vector<DavEntry>> found = readMultistatus(*reply);
    if (!found)
        return found.status();
    for (const DavEntry& entry : *found) {
        if (!entry.homeSet.isEmpty())
            return booksIn(entry.homeSet);
        if (!entry.principal.isEmpty())
            return booksOfPrincipal(entry.principal);
    }
    return davErrors::noAddressBook(start);
}

Result<std::vector<AddressBookInfo>> CardDavClient::booksOfPrincipal(const QUrl& principal)
{
    const Result<std::vector<DavEntry>> found = entries("PROPFIND", principal, 0, discoveryPropfind());
    if (!found)
        return found.status();
    const DavEntry* self = entryFor(*found, principal);
    if (!self || self->homeSet.isEmpty())
        return davErrors::noAddressBook(principal);
    return booksIn(self->homeSet);
}

Result<std::vector<AddressBookInfo>> CardDavClient::booksIn(const QUrl& home)
{
    const Result<std::vector<DavEntry>> found = entries("PROPFIND", home, 1, discoveryPropfind());
    if (!found)
        return found.status();
    std::vector<AddressBookInfo> books;
    for (const DavEntry& entry : *found) {
        if (entry.addressBook)
            books.push_back({entry.url, entry.displayName});
    }
    if (books.empty())
        return davErrors::noAddressBook(home);
    return books;
}

Result<std::vector<ServerCardRef>> CardDavClient::listCards(const QUrl& book)
{
    const Result<std::vector<DavEntry>> found = entries("PROPFIND", book, 1, cardsPropfind());
    if (!found)
        return found.status();
    std::vector<ServerCardRef> cards;
    for (const DavEntry& entry : *found) {
        if (!entry.collection && !sameResource(entry.url, book) && entry.status < 300)
            cards.push_back({entry.url, entry.etag, {}});
    }
    if (cards.size() > std::size_t(maxRecordsInMemory))
        return davErrors::tooManyCards(book);
    return cards;
}

Result<std::vector<ServerCardRef>> CardDavClient::fetchCards(const QUrl& book, const std::vector<ServerCardRef>& cards,
                                                             int batch)
{
    std::vector<ServerCardRef> fetched;
    fetched.reserve(cards.size());
    for (std::size_t first = 0; first < cards.size(); first += std::size_t(batch)) {
        QStringList paths;
        for (std::size_t i = first; i < std::min(cards.size(), first + std::size_t(batch)); ++i)
            paths << cards[i].url.path(QUrl::FullyEncoded);
        const Result<std::vector<DavEntry>> found = entries("REPORT", book, 1, multigetReport(paths));
        if (!found)
            return found.status();
        for (const DavEntry& entry : *found) {
            if (entry.status < 300 && !entry.addressData.isEmpty())
                fetched.push_back({entry.url, entry.etag, entry.addressData});
        }
        reportProgress(qint64(std::min(cards.size(), first + std::size_t(batch))), qint64(cards.size()));
    }
    return fetched;
}

Result<DavReply> CardDavClient::putCard(const QUrl& url, const QByteArray& card, const QByteArray& etag)
{
    DavRequest request{"PUT", url, card, QByteArrayLiteral("text/vcard; charset=utf-8"), {}};
    if (etag.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-None-Match", "*"));
    else
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", etag));
    return m_transport.send(std::move(request));
}

} // namespace quillet
