#pragma once

#include "ports/AddressBookServer.h"

namespace quillet {

class CardDavClient;

// The address book server the windows use: each call is a CardDAV conversation
// of its own (see CardDavClient, importAddressBook, exportToAddressBook).
class CardDavServer : public AddressBookServer
{
public:
    Result<std::vector<AddressBookInfo>> findBooks(const DavAccount& account, WorkControl& control) override;
    Result<ImportSummary> importBook(const DavAccount& account, const QUrl& book, ContactsFile& file,
                                     const ImportOptions& options, WorkControl& control) override;
    Result<ServerExportSummary> exportContacts(const DavAccount& account, const QUrl& book, const ContactsFile& file,
                                               WorkControl& control) override;
    QByteArray refusedCertificate() const override { return m_refused; }

private:
    template <typename Work> auto converse(const DavAccount& account, WorkControl& control, Work work);

    QByteArray m_refused;
};

} // namespace quillet
