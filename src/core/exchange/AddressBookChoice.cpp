#include "core/exchange/AddressBookChoice.h"

#include <QRegularExpression>
#include <QStringList>

namespace quillet {

namespace {

QString lastPathPart(const QUrl& url)
{
    return url.adjusted(QUrl::StripTrailingSlash).fileName();
}

QString bookList(const std::vector<AddressBookInfo>& books)
{
    QStringList names;
    for (const AddressBookInfo& book : books)
        names << QStringLiteral("\"%1\" (%2)").arg(addressBookName(book), book.url.toDisplayString());
    return names.join(QStringLiteral(", "));
}

} // namespace

QUrl serverUrlFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    return QUrl(trimmed.contains(QStringLiteral("://")) ? trimmed : QStringLiteral("https://") + trimmed);
}

bool needsHttpConsent(const QUrl& url)
{
    static const QRegularExpression loopback(QStringLiteral("^127\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$"));
    const QString host = url.host().toLower();
    const bool local = host == u"localhost" || host == u"::1" || loopback.match(host).hasMatch();
    return url.scheme().compare(QStringLiteral("http"), Qt::CaseInsensitive) == 0 && !local;
}

QString passwordKey(const QUrl& url, const QString& user)
{
    return QStringLiteral("carddav %1@%2").arg(user, url.adjusted(QUrl::RemoveUserInfo).toString());
}

QString addressBookName(const AddressBookInfo& book)
{
    return book.displayName.isEmpty() ? lastPathPart(book.url) : book.displayName;
}

Result<AddressBookInfo> chooseAddressBook(const std::vector<AddressBookInfo>& books, const QString& wanted)
{
    if (wanted.isEmpty() && books.size() == 1)
        return books.front();
    if (wanted.isEmpty())
        return errors::ownMessage(QStringLiteral("the server has %1 address books: %2; choose one by its name.")
                                      .arg(books.size())
                                      .arg(bookList(books)));
    for (const AddressBookInfo& book : books) {
        if (addressBookName(book) == wanted || lastPathPart(book.url) == wanted)
            return book;
    }
    return errors::ownMessage(
        QStringLiteral("no address book is named \"%1\"; the server has %2.").arg(wanted, bookList(books)));
}

} // namespace quillet
