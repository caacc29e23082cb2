#include "core/list/ListReport.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactRecord.h"
#include "core/list/ListSearch.h"
#include "core/list/ListedRunReader.h"
#include "core/printing/GridDocument.h"

#include <algorithm>
#include <memory>

namespace quillet {

namespace {

const QString reportFont = QStringLiteral("Courier New");

QList<GridItem> headerItems()
{
    QList<GridItem> items;
    for (const ReportColumn& column : reportColumns())
        items << GridItem{column.column, 0, column.header};
    return items;
}

Status printReportLine(const QString& line, GridDocument& document)
{
    if (line.isEmpty()) {
        document.printEmptyLine();
        return Status::success();
    }
    const QList<QStringView> columns = QStringView(line).split(u'\t');
    QList<GridItem> items;
    items.reserve(columns.size());
    for (qsizetype i = 0; i < columns.size(); ++i) {
        // Only a column that would be printed needs a place: an empty one ends the line first.
        if (i >= static_cast<qsizetype>(reportColumns().size()))
            return errors::subscriptOutOfRange();
        items << GridItem{reportColumns()[static_cast<std::size_t>(i)].column, 0,
                          text::trimSpaces(columns[i]).toString()};
        if (columns[i].isEmpty())
            break;
    }
    document.printLine(items);
    return Status::success();
}

Status checkReportLine(const QString& line)
{
    GridDocument scratch;
    return printReportLine(line, scratch);
}

// The lines a report prints, one after the other.
class ReportLines
{
public:
    virtual ~ReportLines() = default;
    // The next line; nullptr after the last one or once a read failed.
    virtual const QString* next() = 0;
    virtual Status status() const { return {}; }
};

class ListLines : public ReportLines
{
public:
    explicit ListLines(const QStringList& lines) : m_lines(lines) {}
    const QString* next() override { return m_next < m_lines.size() ? &m_lines[m_next++] : nullptr; }

private:
    const QStringList& m_lines;
    qsizetype m_next = 0;
};

// A run of lines, as bytes, at a time: a report line is over 160 characters.
class FileLines : public ReportLines
{
public:
    FileLines(const ContactsFile& file, const ListedReport& listed)
        : m_runs(file, listed.contacts, 32768, [order = listed.lineOrder](QByteArray& kept, QByteArrayView bytes) {
              appendListLine(kept, bytes, order);
          })
    {}
    const QString* next() override
    {
        const std::optional<QByteArrayView> kept = m_runs.next();
        if (!kept)
            return nullptr;
        m_line = cp1252::decode(*kept);
        return &m_line;
    }
    Status status() const override { return m_runs.status(); }

private:
    ListedRunReader m_runs;
    QString m_line;
};

// Whether a field the list line shows holds a tab.
bool holdsTab(QByteArrayView recordBytes)
{
    for (Field field : {Field::FirstName, Field::MI, Field::LastName, Field::City, Field::State, Field::Zip,
                        Field::HomePhone, Field::CellPhone, Field::Email}) {
        if (ContactRecord::storedFromBytes(recordBytes, field).contains('\t'))
            return true;
    }
    return false;
}

constexpr int linesPerChunk = 500;

GridStream reportStreamOf(std::shared_ptr<ReportLines> lines, const QString& fileTitle)
{
    GridStream stream;
    stream.stoppedBy = [lines] { return lines->status(); };
    stream.next = [lines, fileTitle, started = false, ended = false](GridDocument& chunk) mutable {
        if (!started) {
            chunk.setFont(reportFont, 10);
            chunk.setOrientation(PageOrientation::Landscape);
            chunk.printEmptyLine();
            chunk.setFontSize(24);
            chunk.printLine(18, QStringLiteral("Quillet"));
            chunk.setFontSize(10);
            chunk.printEmptyLine();
            chunk.printLine(48, QStringLiteral("File: ") + fileTitle);
            chunk.printEmptyLine();
            chunk.printLine(headerItems());
            return started = true;
        }
        if (ended)
            return false;
        for (int count = 0; count < linesPerChunk; ++count) {
            const QString* line = lines->next();
            if (!line) {
                if (!lines->status())
                    return false;
                chunk.printEmptyLine();
                chunk.newPage();
                ended = true;
                break;
            }
            static_cast<void>(printReportLine(*line, chunk)); // checked before
        }
        return true;
    };
    return stream;
}

} // namespace

const std::array<ReportColumn, 7>& reportColumns()
{
    static const std::array<ReportColumn, 7> columns{{
        {QStringLiteral("Name"), 2},
        {QStringLiteral("City"), 30},
        {QStringLiteral("ST"), 48},
        {QStringLiteral("Zip"), 52},
        {QStringLiteral("Home"), 64},
        {QStringLiteral("Cell"), 78},
        {QStringLiteral("Email Address"), 92},
    }};
    return columns;
}

int estimatedReportPages(int lineCount)
{
    return static_cast<int>(text::roundHalfEven(lineCount / 54.0 + 1));
}

qsizetype reportStreamPieces(qsizetype lineCount)
{
    // The title's piece, the full runs of lines, and the last run with the end.
    return 2 + lineCount / linesPerChunk;
}

Status checkReportLines(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (Status checked = checkReportLine(line); !checked)
            return checked;
    }
    return Status::success();
}

GridStream reportStream(const QStringList& lines, const QString& fileTitle)
{
    return reportStreamOf(std::make_shared<ListLines>(lines), fileTitle);
}

Result<ListedReport> listReport(const ContactsFile& file, const ListQuery& query, const ListOrder& order)
{
    Status check;
    QByteArray line;
    Result<ListedContacts> contacts = ListedContacts::list(file, query, order, [&](int, QByteArrayView bytes) {
        // A line has seven columns, the most the report prints, unless a field it
        // shows holds a tab: only then is it made and checked.
        if (!check || !holdsTab(bytes))
            return;
        line.resize(0);
        appendListLine(line, bytes, query.order);
        check = checkReportLine(cp1252::decode(line));
    });
    if (!contacts)
        return contacts.status();
    return ListedReport{std::move(*contacts), query.order, check};
}

GridStream reportStream(const ContactsFile& file, const ListedReport& listed, const QString& fileTitle)
{
    return reportStreamOf(std::make_shared<FileLines>(file, listed), fileTitle);
}

Result<GridDocument> composeReport(const QStringList& lines, const QString& fileTitle)
{
    if (Status checked = checkReportLines(lines); !checked)
        return checked;
    GridStream stream = reportStream(lines, fileTitle);
    return wholeDocument(stream);
}

void composeLineSelection(const QStringList& selectedLines, GridDocument& document)
{
    document.setFont(QStringLiteral("MS Sans Serif"), 10);
    if (!selectedLines.isEmpty())
        document.printLine(headerItems());
    document.printEmptyLine();
    for (const QString& line : selectedLines)
        document.printLine(0, line);
    document.newPage();
}

} // namespace quillet
