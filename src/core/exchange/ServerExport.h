#pragma once

#include <QString>

namespace quillet {

// What an export to an address book server did, card by card.
struct ServerExportSummary
{
    int created = 0;      // new cards
    int updated = 0;      // cards this program made before, changed since
    int unchanged = 0;    // cards this program made before, already as they would be written
    int notOurs = 0;      // left alone: a card of that name whose UID this program did not make
    int skipped = 0;      // without a name or e-mail, deleted, or the same person as a contact before
    int refused = 0;      // cards the server would not take (a conflict, a quota)
    QString firstRefusal; // the server's reason for the first of them
};

// "3 cards created, 1 updated, 2 unchanged." and, when there are any, a sentence
// for the cards left alone, skipped and refused.
QString serverExportText(const ServerExportSummary& summary);

// What the Export window and the manual page promise.
inline const QString serverExportPromise =
    QStringLiteral("Export to an address book server never deletes a card, and never overwrites a card that "
                   "Quillet did not make.");

} // namespace quillet
