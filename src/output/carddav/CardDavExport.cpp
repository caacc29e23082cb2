#include "output/carddav/CardDavExport.h"

#include "core/contacts/ContactsFile.h"
#include "core/exchange/ImportedContact.h"
#include "core/exchange/ServerCard.h"
#include "output/carddav/CardDavClient.h"

#include <QHash>
#include <QSet>

namespace quillet {

namespace {

struct OutgoingCard
{
    QString uid;
    QByteArray card;
};

QString cardName(const QString& uid)
{
    return uid + QStringLiteral(".vcf");
}

// The cards to put, read in one pass under a shared lock that ends before any request.
Result<std::vector<OutgoingCard>> outgoingCards(const ContactsFile& file, ServerExportSummary& summary)
{
    const ContactsFileLock locked(file, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    std::vector<OutgoingCard> cards;
    QSet<QString> seen;
    const Status read = file.forEachBytes([&](int, QByteArrayView bytes) {
        const ContactRecord record = ContactRecord::fromBytes(bytes);
        const QString uid = serverCardUid(record);
        if (record.isDeleted() || isBlankContact(record) || seen.contains(uid)) {
            ++summary.skipped;
            return true;
        }
        seen.insert(uid);
        cards.push_back({uid, serverCard(bytes, uid)});
        return true;
    });
    if (!read)
        return read;
    return cards;
}

// The book's cards by file name, and the vCards of those a contact would replace.
Result<QHash<QString, ServerCardRef>> cardsInTheWay(CardDavClient& client, const QUrl& book,
                                                    const std::vector<OutgoingCard>& outgoing)
{
    const Result<std::vector<ServerCardRef>> listed = client.listCards(book);
    if (!listed)
        return listed.status();
    QSet<QString> names;
    for (const OutgoingCard& card : outgoing)
        names.insert(cardName(card.uid));
    std::vector<ServerCardRef> wanted;
    for (const ServerCardRef& card : *listed) {
        if (names.contains(card.url.fileName()))
            wanted.push_back(card);
    }
    const Result<std::vector<ServerCardRef>> fetched = client.fetchCards(book, wanted);
    if (!fetched)
        return fetched.status();
    QHash<QString, ServerCardRef> byName;
    for (const ServerCardRef& card : *fetched)
        byName.insert(card.url.fileName(), card);
    return byName;
}

// Puts one card and counts what became of it; only a network failure stops the run.
Status putOne(CardDavClient& client, const QUrl& url, const OutgoingCard& card, const QByteArray& etag,
              ServerExportSummary& summary)
{
    const Result<DavReply> reply = client.putCard(url, card.card, etag);
    if (!reply)
        return reply.status();
    if (reply->status >= 200 && reply->status < 300)
        ++(etag.isEmpty() ? summary.created : summary.updated);
    else if (reply->status == 412) // a card appeared or changed since it was read: not ours to overwrite
        ++summary.notOurs;
    else if (++summary.refused == 1)
        summary.firstRefusal = QStringLiteral("HTTP status %1").arg(reply->status);
    return {};
}

} // namespace

Result<ServerExportSummary> exportToAddressBook(CardDavClient& client, const QUrl& book, const ContactsFile& file)
{
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    ServerExportSummary summary;
    const Result<std::vector<OutgoingCard>> outgoing = outgoingCards(file, summary);
    if (!outgoing)
        return outgoing.status();
    QUrl folder = book;
    if (!folder.path().endsWith(u'/'))
        folder.setPath(folder.path() + u'/');
    const Result<QHash<QString, ServerCardRef>> present = cardsInTheWay(client, folder, *outgoing);
    if (!present)
        return present.status();
    qint64 done = 0;
    for (const OutgoingCard& card : *outgoing) {
        client.reportProgress(done++, qint64(outgoing->size()));
        const auto there = present->constFind(cardName(card.uid));
        QByteArray etag;
        if (there != present->constEnd()) {
            if (cardUid(there->data) != card.uid) {
                ++summary.notOurs;
                continue;
            }
            if (sameCard(there->data, card.card)) {
                ++summary.unchanged;
                continue;
            }
            etag = there->etag;
        }
        if (Status put = putOne(client, folder.resolved(QUrl(cardName(card.uid))), card, etag, summary); !put)
            return put;
    }
    return summary;
}

} // namespace quillet
