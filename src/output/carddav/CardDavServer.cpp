#include "output/carddav/CardDavServer.h"

#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavExport.h"
#include "output/carddav/CardDavImport.h"

namespace quillet {

template <typename Work> auto CardDavServer::converse(const DavAccount& account, Work work)
{
    CardDavClient client(account);
    m_client = &client;
    auto result = work(client);
    m_client = nullptr;
    m_refused = client.refusedCertificate();
    return result;
}

Result<std::vector<AddressBookInfo>> CardDavServer::findBooks(const DavAccount& account)
{
    return converse(account, [](CardDavClient& client) { return client.findBooks(); });
}

Result<ImportSummary> CardDavServer::importBook(const DavAccount& account, const QUrl& book, ContactsFile& file,
                                                const ImportOptions& options)
{
    return converse(account, [&](CardDavClient& client) { return importAddressBook(client, book, file, options); });
}

Result<ServerExportSummary> CardDavServer::exportContacts(const DavAccount& account, const QUrl& book,
                                                          const ContactsFile& file)
{
    return converse(account, [&](CardDavClient& client) { return exportToAddressBook(client, book, file); });
}

void CardDavServer::cancel()
{
    if (m_client)
        m_client->cancel();
}

} // namespace quillet
