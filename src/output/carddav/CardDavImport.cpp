#include "output/carddav/CardDavImport.h"

#include "core/common/FileErrors.h"
#include "core/contacts/ContactsFile.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/DavErrors.h"

#include <QFile>
#include <QTemporaryDir>

namespace quillet {

namespace {

bool isVCard(const QByteArray& data)
{
    const QByteArray text = data.trimmed().toUpper();
    return text.startsWith("BEGIN:VCARD") && text.endsWith("END:VCARD");
}

// The cards as one UTF-8 vCard file, the byte-order mark saying so.
Result<QByteArray> spoolText(const std::vector<ServerCardRef>& cards)
{
    QByteArray text = QByteArrayLiteral("\xEF\xBB\xBF");
    for (const ServerCardRef& card : cards) {
        if (!isVCard(card.data))
            return davErrors::notCardDav(card.url, QStringLiteral("%1 is not a vCard").arg(card.url.path()));
        text += card.data.trimmed();
        text += "\r\n";
    }
    return text;
}

} // namespace

Result<ImportSummary> importAddressBook(CardDavClient& client, const QUrl& book, ContactsFile& file,
                                        const ImportOptions& options)
{
    const Result<std::vector<ServerCardRef>> listed = client.listCards(book);
    if (!listed)
        return listed.status();
    const Result<std::vector<ServerCardRef>> cards = client.fetchCards(book, *listed);
    if (!cards)
        return cards.status();
    if (cards->empty()) {
        ImportSummary summary;
        summary.outcome = ImportSummary::Outcome::Imported;
        summary.reading = ImportReading::VCard;
        return summary;
    }
    const Result<QByteArray> text = spoolText(*cards);
    if (!text)
        return text.status();
    QTemporaryDir folder;
    if (!folder.isValid())
        return errors::pathFileAccess();
    QFile spool(folder.filePath(QStringLiteral("addressbook.vcf")));
    if (!spool.open(QIODevice::WriteOnly) || spool.write(*text) != text->size() || !spool.flush())
        return errorFromFileDevice(spool);
    spool.close();
    ImportOptions wholeBook = options;
    wholeBook.wholeSourceOnly = true;
    return importContacts(spool.fileName(), file, wholeBook);
}

} // namespace quillet
