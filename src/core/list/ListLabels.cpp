#include "core/list/ListLabels.h"

#include "core/common/Cp1252.h"
#include "core/common/TextRules.h"
#include "core/contacts/ContactsFile.h"
#include "core/list/FileLabelReader.h"
#include "core/list/LabelReader.h"
#include "core/list/ListedLabels.h"
#include "core/printing/GridDocument.h"

#include <algorithm>
#include <cstring>

namespace quillet {

namespace {

const QString labelFont = QStringLiteral("Courier New");

void printTopMargin(GridDocument& document)
{
    for (int i = 0; i < 4; ++i)
        document.printEmptyLine();
}

// The three lines of the first `count` slots of a row side by side.
void printSlots(GridDocument& document, const std::array<LabelTexts, 3>& row, int count)
{
    for (QString LabelTexts::*line : {&LabelTexts::name, &LabelTexts::street, &LabelTexts::city}) {
        QList<GridItem> items;
        for (int slot = 0; slot < count; ++slot)
            items << GridItem{labelSlotColumns[slot], 0, row[slot].*line};
        document.printLine(items);
    }
}

// The gap below a full row: 11 points and three times 9 points of empty lines.
void printRowGap(GridDocument& document)
{
    document.setFontSize(11);
    document.printEmptyLine();
    document.setFontSize(9);
    for (int i = 0; i < 3; ++i)
        document.printEmptyLine();
    document.setFontSize(10);
}

} // namespace

namespace {

// The three lines from the fields' trimmed values, into an output that takes
// texts or bytes a piece at a time.
template <typename Out, typename FieldOf> void writeLabelLines(Out& out, const FieldOf& field)
{
    const auto mi = field(Field::MI);
    out.add(field(Field::FirstName));
    out.add(" ");
    if (!mi.isEmpty()) {
        out.add(mi);
        out.add(" ");
    }
    out.add(field(Field::LastName));
    out.endLine();
    out.add(field(Field::Street1));
    out.add(" ");
    out.add(field(Field::Street2));
    out.endLine();
    out.add(field(Field::City));
    out.add(", ");
    out.add(field(Field::State));
    out.add("  ");
    out.add(field(Field::Zip));
    out.endLine();
}

struct TextLines
{
    LabelTexts texts;
    QString LabelTexts::*line = &LabelTexts::name;

    void add(const QString& piece) { (texts.*line).append(piece); }
    void add(const char* literal) { (texts.*line).append(QLatin1StringView(literal)); }
    void endLine() { line = line == &LabelTexts::name ? &LabelTexts::street : &LabelTexts::city; }
};

// Bytes written straight into room made beforehand: a label's three lines take at
// most 101 bytes of fields, 7 of separators and 3 of lengths.
class PrefixedLines
{
public:
    static constexpr qsizetype mostBytes = 128;

    explicit PrefixedLines(QByteArray& out) : m_out(out), m_start(out.size())
    {
        if (m_out.capacity() < m_start + mostBytes)
            m_out.reserve(std::max(2 * m_out.capacity(), m_start + mostBytes));
        m_out.resize(m_start + mostBytes);
        m_length = m_cursor = m_out.data() + m_start;
        ++m_cursor;
    }
    ~PrefixedLines() { m_out.resize(m_length - m_out.data()); }

    void add(QByteArrayView piece)
    {
        std::memcpy(m_cursor, piece.data(), std::size_t(piece.size()));
        m_cursor += piece.size();
    }
    void add(const char* literal) { add(QByteArrayView(literal)); }
    void endLine()
    {
        *m_length = char(quint8(m_cursor - m_length - 1));
        m_length = m_cursor++;
    }

private:
    QByteArray& m_out;
    qsizetype m_start;
    char* m_length; // where the current line's length goes
    char* m_cursor;
};

} // namespace

LabelTexts labelTexts(const ContactRecord& record)
{
    TextLines out;
    writeLabelLines(out, [&record](Field f) { return text::trimSpaces(record.value(f)); });
    return std::move(out.texts);
}

void appendLabelLines(QByteArray& lines, QByteArrayView recordBytes)
{
    PrefixedLines out(lines);
    writeLabelLines(
        out, [recordBytes](Field f) { return text::trimSpaces(ContactRecord::storedFromBytes(recordBytes, f)); });
}

std::array<QByteArrayView, 3> labelLinesIn(QByteArrayView prefixed)
{
    std::array<QByteArrayView, 3> lines;
    for (QByteArrayView& line : lines) {
        const qsizetype length = quint8(prefixed.front());
        line = prefixed.sliced(1, length);
        prefixed = prefixed.sliced(1 + length);
    }
    return lines;
}

LabelTexts labelTexts(QByteArrayView recordBytes)
{
    QByteArray bytes;
    appendLabelLines(bytes, recordBytes);
    const std::array<QByteArrayView, 3> lines = labelLinesIn(bytes);
    return {cp1252::decode(lines[0]), cp1252::decode(lines[1]), cp1252::decode(lines[2])};
}

namespace {

// The slots [from, to) of a run that starts with `blanks` blank labels; `from`
// starts a row, so the row buffer starts empty. False when the labels ran out
// early (a failed read).
bool composeSlots(GridDocument& document, LabelReader& labels, qsizetype blanks, qsizetype from, qsizetype to)
{
    std::array<LabelTexts, 3> row;
    int filled = 0;
    const qsizetype last = blanks + labels.size() - 1;
    for (qsizetype index = from; index < to; ++index) {
        if (index >= blanks) {
            const LabelTexts* label = labels.next();
            if (!label)
                return false;
            row[filled++] = *label;
        } else {
            row[filled++] = LabelTexts{};
        }
        if (filled == 3) {
            printSlots(document, row, 3);
            printRowGap(document);
            filled = 0;
        } else if (index == last) {
            printSlots(document, row, filled);
        }
        if ((index + 1) % labelsPerPage == 0) {
            document.newPage();
            printTopMargin(document);
        }
    }
    return true;
}

} // namespace

GridStream listLabelsStream(std::shared_ptr<LabelReader> labels, int start)
{
    // The labels before the start stay blank slots, so the first contact lands on its label.
    const qsizetype blanks = std::clamp(start, 1, labelsPerPage) - 1;
    const qsizetype total = blanks + labels->size();
    GridStream stream;
    stream.takesPrinterOffset = true;
    stream.stoppedBy = [labels] { return labels->status(); };
    stream.next = [labels, blanks, total, from = qsizetype(-1)](GridDocument& chunk) mutable {
        if (from < 0) {
            chunk.setFont(labelFont, 10);
            chunk.setOrientation(PageOrientation::Portrait);
            printTopMargin(chunk);
            chunk.setFont(labelFont, 10);
            from = 0;
        } else if (from >= total) {
            return false;
        }
        const qsizetype to = std::min(from + labelsPerPage, total);
        if (!composeSlots(chunk, *labels, blanks, from, to))
            return false;
        from = to;
        return true;
    };
    return stream;
}

GridStream listLabelsStream(const std::vector<LabelTexts>& labels, int start)
{
    return listLabelsStream(readerOf(labels), start);
}

GridDocument composeListLabels(const std::vector<LabelTexts>& labels, int start)
{
    GridStream stream = listLabelsStream(labels, start);
    return wholeDocument(stream);
}

Status composeListLabels(const ContactsFile& file, const QList<int>& recordNumbers, GridDocument& document, int start)
{
    const Result<ListedLabels> listed = listLabels(file, recordNumbers);
    if (!listed)
        return listed.status();
    GridStream stream = listLabelsStream(std::make_shared<FileLabelReader>(file, listed->contacts), start);
    GridDocument whole = wholeDocument(stream);
    if (Status read = stream.status(); !read)
        return read;
    document = std::move(whole);
    return Status::success();
}

std::optional<LongLines> findLongLabelLines(const std::vector<LabelTexts>& labels)
{
    std::optional<LongLines> found;
    for (const LabelTexts& label : labels) {
        const QString* longLine = nullptr;
        for (const QString* line : {&label.name, &label.street, &label.city})
            if (!longLine && longerThan(*line, listLabelCharacters))
                longLine = line;
        if (!longLine)
            continue;
        if (!found)
            found = LongLines{0, label.name.trimmed().isEmpty() ? *longLine : label.name.trimmed()};
        ++found->labels;
    }
    return found;
}

} // namespace quillet
