#pragma once

#include "core/common/Result.h"
#include "output/carddav/DavMultistatus.h"
#include "output/carddav/DavTransport.h"
#include "ports/AddressBookServer.h"

#include <vector>

namespace quillet {

// A card on the server: where it is, its ETag and, once fetched, its vCard.
struct ServerCardRef
{
    QUrl url;
    QByteArray etag;
    QByteArray data;
};

// The CardDAV conversation with one account's server: finding its address books
// (RFC 6764 and RFC 6352), listing and fetching a book's cards, putting a card.
class CardDavClient
{
public:
    explicit CardDavClient(DavAccount account);

    // The address book the account's URL names; else those of the user the server
    // names as current principal, asked first at the URL and then at
    // /.well-known/carddav; fails when there is none.
    Result<std::vector<AddressBookInfo>> findBooks();
    // The book's cards with their ETags (one PROPFIND, depth 1).
    Result<std::vector<ServerCardRef>> listCards(const QUrl& book);
    // The cards' vCards, fetched with addressbook-multiget REPORTs of `batch` cards.
    // A card gone since it was listed is left out.
    Result<std::vector<ServerCardRef>> fetchCards(const QUrl& book, const std::vector<ServerCardRef>& cards,
                                                  int batch = 100);
    // Puts a vCard at `url`: a new card only if none is there (If-None-Match: *),
    // else only over the version with this ETag (If-Match). Gives the server's answer.
    Result<DavReply> putCard(const QUrl& url, const QByteArray& card, const QByteArray& etag);

    void cancel() { m_transport.cancel(); }
    // The run this conversation belongs to: its cancel stops the conversation, and
    // fetchCards and reportProgress say how far it got. None by default.
    void watch(WorkControl* control)
    {
        m_control = control;
        m_transport.watch(control);
    }
    void reportProgress(qint64 done, qint64 total)
    {
        if (m_control)
            m_control->setProgress(done, total);
    }
    QByteArray refusedCertificate() const { return m_transport.refusedCertificate(); }

private:
    Result<DavReply> ask(const QByteArray& method, const QUrl& url, int depth, const QByteArray& body);
    Result<std::vector<DavEntry>> entries(const QByteArray& method, const QUrl& url, int depth, const QByteArray& body);
    Result<std::vector<AddressBookInfo>> booksOfPrincipal(const QUrl& principal);
    Result<std::vector<AddressBookInfo>> booksIn(const QUrl& home);
    Result<std::vector<AddressBookInfo>> booksFromWellKnown(const QUrl& start);

    DavTransport m_transport;
    WorkControl* m_control = nullptr;
};

} // namespace quillet
