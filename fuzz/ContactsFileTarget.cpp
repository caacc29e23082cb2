#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactsFile.h"
#include "core/editing/ContactDeletion.h"
#include "core/editing/ContactPrinting.h"
#include "core/editing/FindEntries.h"
#include "core/exchange/ExportWriter.h"
#include "core/list/ListLabels.h"
#include "core/list/ListOrder.h"
#include "core/list/ListReport.h"
#include "core/list/ListSearch.h"
#include "core/printing/GridTranscript.h"
#include "core/reminders/Reminders.h"

#include <QDate>

namespace quillet::fuzz {

namespace {

// The report prints a line's columns until an empty one, and has places for seven.
bool reachesEighthColumn(const QString& line)
{
    const QStringList columns = line.split(u'\t');
    if (columns.size() <= 7)
        return false;
    for (int i = 0; i < 7; ++i) {
        if (columns[i].isEmpty())
            return false;
    }
    return true;
}

using F = FormField;

// What the file must hold after the reminder switch: every counted record whole
// (a partial last one completed with the bytes of a blank record), its flag byte
// set, every other byte as it was.
QByteArray afterSwitch(QByteArray bytes, int count, char flag)
{
    const QByteArray blank = ContactRecord().toBytes();
    for (qsizetype at = bytes.size(); at < qsizetype(count) * recordSize; ++at)
        bytes.append(blank.at(at % recordSize));
    const int flagOffset = fieldLayout(Field::ReminderFlag).offset;
    for (int n = 0; n < count; ++n)
        bytes[qsizetype(n) * recordSize + flagOffset] = flag;
    return bytes;
}

// Chunked and single reads agree, and every field's text encodes back to its bytes.
QString checkRecords(const ContactsFile& file)
{
    QString broken;
    int visited = 0;
    const Status status = file.forEachBytes([&](int number, QByteArrayView raw) {
        ++visited;
        const Result<ContactRecord> read = file.read(number);
        if (!read) {
            broken = QStringLiteral("record %1 cannot be read alone").arg(number);
            return false;
        }
        const ContactRecord& single = *read;
        for (Field field : allFields) {
            const FieldLayout layout = fieldLayout(field);
            const QByteArrayView stored = raw.sliced(layout.offset, layout.width);
            if (ContactRecord::fieldFromBytes(raw, field) != single.value(field))
                broken = QStringLiteral("record %1 %2 differs between reads").arg(number).arg(fieldName(field));
            else if (cp1252::encode(single.value(field)) != stored)
                broken = QStringLiteral("record %1 %2 does not encode back").arg(number).arg(fieldName(field));
        }
        return broken.isEmpty();
    });
    if (!status)
        return QStringLiteral("reading failed: ") + status.error().description;
    if (broken.isEmpty() && visited != file.count())
        return mismatch(QStringLiteral("records visited"), QString::number(file.count()), QString::number(visited));
    return broken;
}

QString checkSwitch(ContactsFile& file, const QString& path, bool on)
{
    const QByteArray before = readScratch(path);
    const int count = file.count();
    if (Status status = reminders::setAll(file, on); !status)
        return QStringLiteral("reminder switch failed: ") + status.error().description;
    if (readScratch(path) != afterSwitch(before, count, on ? '1' : '0'))
        return QStringLiteral("reminder switch changed more than the flags");
    if (file.count() != count)
        return mismatch(QStringLiteral("count after the switch"), QString::number(count),
                        QString::number(file.count()));
    return {};
}

// Stepping through the file as the Contact Information window does: every record
// in the find box, each shown and printed on a details page with all it holds.
QString checkStepping(const ContactsFile& file)
{
    const Result<QList<FindEntry>> found = findEntries(file);
    if (!found)
        return QStringLiteral("find box failed: ") + found.error().description;
    const QList<FindEntry>& entries = *found;
    if (entries.size() != file.count())
        return mismatch(QStringLiteral("find box entries"), QString::number(file.count()),
                        QString::number(entries.size()));
    for (const FindEntry& entry : entries) {
        const Result<ContactRecord> record = file.read(entry.record);
        if (!record)
            return QStringLiteral("record %1 cannot be read").arg(entry.record);
        const ContactForm shown = formFromRecord(*record);
        (void)labelLinesFor(shown);
        const QString page = gridTranscript(contactDetailsDocument(shown, QStringLiteral("01/02/2024")));
        // Category and Notes run on over a second line after their 61st character.
        const QStringList pieces{shown[F::Email], text::left(shown[F::Category], 61), text::mid(shown[F::Category], 62),
                                 text::left(shown[F::Notes], 61), text::mid(shown[F::Notes], 62)};
        for (const QString& piece : pieces) {
            const QString value = text::trimSpaces(piece);
            if (!value.isEmpty() && !page.contains(value))
                return QStringLiteral("record %1: '%2' missing from its details page").arg(entry.record).arg(value);
        }
    }
    return {};
}

// Listing every contact in both orders, then a search on record 1's city, with
// label sheets and the report printed for each list.
QString checkListing(const ContactsFile& file)
{
    const ListOrder order{QLocale::c()};
    const Result<ContactRecord> first = file.read(1);
    if (!first)
        return QStringLiteral("record 1 cannot be read");
    const QString city = text::trimSpaces(first->value(Field::City));
    for (const ListQuery& query :
         {ListQuery{SearchField::All, {}, SortOrder::FirstName}, ListQuery{SearchField::All, {}, SortOrder::LastName},
          ListQuery{SearchField::City, city, SortOrder::LastName}}) {
        const Partial<std::vector<ListEntry>> listed = loadList(file, query, order);
        if (!listed.complete())
            return QStringLiteral("listing failed: ") + listed.stoppedBy.error().description;
        const std::vector<ListEntry>& entries = listed.value;
        if (query.field == SearchField::All && int(entries.size()) != file.count())
            return mismatch(QStringLiteral("listed"), QString::number(file.count()), QString::number(entries.size()));
        QStringList lines;
        QList<int> numbers;
        bool extraColumns = false;
        for (const ListEntry& entry : entries) {
            lines << entry.text;
            numbers << entry.recordNumber;
            extraColumns = extraColumns || reachesEighthColumn(entry.text);
        }
        GridDocument labels;
        if (Status status = composeListLabels(file, numbers, labels); !status)
            return QStringLiteral("label sheets failed: ") + status.error().description;
        (void)gridTranscript(labels);
        // A field holding a tab can give its line an eighth column, which the report
        // refuses once it gets that far; nothing else may stop it.
        const Result<GridDocument> report = composeReport(lines, QStringLiteral("fuzz"));
        if (report.ok() == extraColumns)
            return QStringLiteral("report %1 with extra columns %2").arg(report.ok()).arg(extraColumns);
        if (report)
            (void)gridTranscript(*report);
    }
    return {};
}

QString checkExport(const ContactsFile& file)
{
    for (ExportKind kind : {ExportKind::Csv, ExportKind::Text}) {
        const Result<ExportSummary> summary = exportContacts(file, kind, scratchFolder());
        if (!summary)
            return QStringLiteral("export failed: ") + summary.error().description;
        if (summary->written != file.count())
            return mismatch(QStringLiteral("exported lines"), QString::number(file.count()),
                            QString::number(summary->written));
        const QByteArray exported = readScratch(summary->path);
        if (!exported.startsWith(exportHeaderLine(kind).toLatin1() + "\r\n") || !exported.endsWith("\r\n"))
            return QStringLiteral("export file without its header or its last line end");
    }
    return {};
}

// Deleting record 1 keeps every other record, in order and byte for byte, except
// those carrying the deletion marker; a short last record comes back whole.
QString checkDeletion(ContactsFile& file, const QString& path)
{
    if (file.count() < 1)
        return {};
    const QByteArray before = readScratch(path);
    QByteArray expected;
    for (qsizetype at = recordSize; at < before.size(); at += recordSize) {
        const QByteArray record = completedRecord(
            QByteArrayView(before).sliced(at).first(std::min<qsizetype>(recordSize, before.size() - at)));
        if (!record.startsWith(deletedMarker.toLatin1()))
            expected += record;
    }
    if (Status status = deleteRecord(file, 1); !status)
        return QStringLiteral("deletion failed: ") + status.error().description;
    if (readScratch(path) != expected)
        return QStringLiteral("deletion kept other bytes than the other records");
    if (!file.isOpen() || file.count() != int(expected.size() / recordSize))
        return QStringLiteral("the file is not open on the shortened records");
    return {};
}

} // namespace

QString contactsFile(const uint8_t* data, size_t size)
{
    const QString path = scratchPath(QStringLiteral("fuzz.DAT"));
    if (!writeScratch(path, bytesOf(data, size)))
        return QStringLiteral("cannot write the scratch file");
    ContactsFile file;
    if (Status status = file.open(path, quillet::Creation::CreateIfMissing); !status)
        return QStringLiteral("open failed: ") + status.error().description;
    if (file.count() != ContactsFile::countForLength(qint64(size)))
        return mismatch(QStringLiteral("count"), QString::number(ContactsFile::countForLength(qint64(size))),
                        QString::number(file.count()));
    if (QString broken = checkRecords(file); !broken.isEmpty())
        return broken;
    for (const QDate& today : {QDate(2024, 2, 20), QDate(2023, 12, 31)}) {
        if (const Result<QStringList> announcements = reminders::runPass(file, today); !announcements)
            return QStringLiteral("reminder pass failed: ") + announcements.error().description;
    }
    if (QString broken = checkStepping(file); !broken.isEmpty())
        return broken;
    if (QString broken = checkListing(file); !broken.isEmpty())
        return broken;
    if (QString broken = checkExport(file); !broken.isEmpty())
        return broken;
    for (bool on : {false, true}) {
        if (QString broken = checkSwitch(file, path, on); !broken.isEmpty())
            return broken;
    }
    if (QString broken = checkRecords(file); !broken.isEmpty())
        return broken;
    return checkDeletion(file, path);
}

} // namespace quillet::fuzz
