#pragma once

#include "core/common/Result.h"
#include "core/exchange/ServerExport.h"

#include <QUrl>

namespace quillet {

class CardDavClient;
class ContactsFile;

// Puts every contact of the file into the address book as a vCard 3.0 named by
// its UID (see serverCardUid): a new card where there is none, an update of a
// card this program made (only over the version it read), nothing where the card
// is unchanged. It never deletes a card, and never overwrites one whose UID it
// did not make. The contacts are read under a shared lock that is released before
// the first request; the contacts file is never written.
Result<ServerExportSummary> exportToAddressBook(CardDavClient& client, const QUrl& book, const ContactsFile& file);

} // namespace quillet
