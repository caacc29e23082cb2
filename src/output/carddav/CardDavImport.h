#pragma once

#include "core/common/Result.h"
#include "core/exchange/ImportRun.h"

#include <QUrl>

namespace quillet {

class CardDavClient;
class ContactsFile;

// Reads a whole address book and checks that every card is a vCard before the
// contacts file is touched; then imports the cards as one vCard file would be
// (the same reading, duplicate test, rules and summary), from a spool file in a
// private temporary folder. A failure on the way leaves the file as it was.
Result<ImportSummary> importAddressBook(CardDavClient& client, const QUrl& book, ContactsFile& file,
                                        const ImportOptions& options);

} // namespace quillet
