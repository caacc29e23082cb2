#pragma once

#include "ports/AddressBookServer.h"

namespace quillet {

class CardDavClient;

// The address book server the windows use: each call is a CardDAV conversation
// of its own (see CardDavClient, importAddressBook, exportToAddressBook).
class CardDavServer : public AddressBookServer
{
public:
    Result<std::vector<AddressBookInfo>> findBooks(const DavAccount& account) override;
    Result<ImportSummary> importBook(const DavAccount& account, const QUrl& book, ContactsFile& file,
                                     const ImportOptions& options) override;
    Result<ServerExportSummary> exportContacts(const DavAccount& account, const QUrl& book,
                                               const ContactsFile& file) override;
    void cancel() override;
    QByteArray refusedCertificate() const override { return m_refused; }

private:
    template <typename Work> auto converse(const DavAccount& account, Work work);

    CardDavClient* m_client = nullptr;
    QByteArray m_refused;
};

} // namespace quillet
