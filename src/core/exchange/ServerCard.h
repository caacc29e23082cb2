#pragma once

#include "core/contacts/ContactRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quillet {

// A record has no room for a server's card address, so a contact's card is found
// again by its UID, made from what names the person: "quillet-" and the first 32
// hex digits of the SHA-256 of the first name, last name and e-mail, each trimmed
// and folded to lower case. A contact whose name or e-mail changes gets a new card.
QString serverCardUid(const ContactRecord& record);
// Whether a UID is one this program makes (and so may update).
bool isOwnCardUid(QStringView uid);

// A stored record as the vCard 3.0 a server gets: the exported card with its UID.
QByteArray serverCard(QByteArrayView record, const QString& uid);

// The UID of a card as a server gives it back (folded lines, any line ends, a
// group prefix); empty when it has none.
QString cardUid(QByteArrayView card);
// Whether two cards hold the same lines, whatever their order, folding and line ends.
bool sameCard(QByteArrayView a, QByteArrayView b);

} // namespace quillet
