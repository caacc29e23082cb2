#pragma once

#include "core/common/Result.h"
#include "ports/AddressBookServer.h"

#include <QString>
#include <QUrl>

#include <vector>

namespace quillet {

// What a user types for a server: a URL, or a bare name that means HTTPS
// ("cloud.example.org" -> "https://cloud.example.org").
QUrl serverUrlFromText(const QString& text);

// Whether asking this URL would send a password over plain HTTP beyond this
// machine, which takes the user's explicit consent.
bool needsHttpConsent(const QUrl& url);

// Where a remembered password is kept for this server and user.
QString passwordKey(const QUrl& url, const QString& user);

// A book's name as the user sees it: its display name, else the last part of its path.
QString addressBookName(const AddressBookInfo& book);
// The book to use: the only one; with several, the one whose name (or the last
// part of its path) is `wanted`. Fails listing the books when there is no such
// book, or when there are several and none is named.
Result<AddressBookInfo> chooseAddressBook(const std::vector<AddressBookInfo>& books, const QString& wanted);

} // namespace quillet
