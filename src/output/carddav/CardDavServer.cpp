#include "output/carddav/CardDavServer.h"

#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavExport.h"
#include "output/carddav/CardDavImport.h"

namespace quillet {

template <typename Work> auto CardDavServer::converse(const DavAccount& account, WorkControl& control, Work work)
{
    CardDavClient client(account);
    client.watch(&control);
    auto result = work(client);
    m_refused = client.refusedCertificate();
    return result;
}

Result<std::vector<AddressBookInfo>> CardDavServer::findBooks(const DavAccount& account, WorkControl& control)
{
    return converse(account, control, [](CardDavClient& client) { return client.findBooks(); });
}

Result<ImportSummary> CardDavServer::importBook(const DavAccount& account, const QUrl& book, ContactsFile& file,
                                                const ImportOptions& options, WorkControl& control)
{
    return converse(account, control,
                    [&](CardDavClient& client) { return importAddressBook(client, book, file, options); });
}

Result<ServerExportSummary> CardDavServer::exportContacts(const DavAccount& account, const QUrl& book,
                                                          const ContactsFile& file, WorkControl& control)
{
    return converse(account, control, [&](CardDavClient& client) { return exportToAddressBook(client, book, file); });
}

} // namespace quillet
