#include "core/list/ListLabels.h"

#include "core/common/TextRules.h"
#include "core/contacts/ContactsFile.h"
#include "core/printing/GridDocument.h"

#include <algorithm>

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

LabelTexts labelTexts(const ContactRecord& record)
{
    const auto field = [&record](Field f) { return text::trimSpaces(record.value(f)); };
    const QString mi = field(Field::MI);
    LabelTexts texts;
    texts.name = field(Field::FirstName) + QLatin1Char(' ') + (mi.isEmpty() ? QString() : mi + QLatin1Char(' ')) +
                 field(Field::LastName);
    texts.street = field(Field::Street1) + QLatin1Char(' ') + field(Field::Street2);
    texts.city =
        field(Field::City) + QStringLiteral(", ") + field(Field::State) + QStringLiteral("  ") + field(Field::Zip);
    return texts;
}

namespace {

// The slots [from, to) of a run that starts with `blanks` blank labels; `from`
// starts a row, so the row buffer starts empty.
void composeSlots(GridDocument& document, const std::vector<LabelTexts>& labels, qsizetype blanks, qsizetype from,
                  qsizetype to)
{
    std::array<LabelTexts, 3> row;
    int filled = 0;
    const qsizetype last = blanks + qsizetype(labels.size()) - 1;
    for (qsizetype index = from; index < to; ++index) {
        row[filled++] = index >= blanks ? labels[std::size_t(index - blanks)] : LabelTexts{};
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
}

} // namespace

GridStream listLabelsStream(const std::vector<LabelTexts>& labels, int start)
{
    // The labels before the start stay blank slots, so the first contact lands on its label.
    const qsizetype blanks = std::clamp(start, 1, labelsPerPage) - 1;
    const qsizetype total = blanks + qsizetype(labels.size());
    GridStream stream;
    stream.takesPrinterOffset = true;
    stream.next = [&labels, blanks, total, from = qsizetype(-1)](GridDocument& chunk) mutable {
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
        composeSlots(chunk, labels, blanks, from, to);
        from = to;
        return true;
    };
    return stream;
}

GridDocument composeListLabels(const std::vector<LabelTexts>& labels, int start)
{
    GridStream stream = listLabelsStream(labels, start);
    return wholeDocument(stream);
}

Status composeListLabels(const ContactsFile& file, const QList<int>& recordNumbers, GridDocument& document, int start)
{
    const Result<std::vector<LabelTexts>> labels = readLabelTexts(file, recordNumbers);
    if (!labels)
        return labels.status();
    document = composeListLabels(*labels, start);
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

Result<std::vector<LabelTexts>> readLabelTexts(const ContactsFile& file, const QList<int>& recordNumbers)
{
    std::vector<LabelTexts> labels;
    labels.reserve(std::size_t(recordNumbers.size()));
    for (const int number : recordNumbers) {
        const Result<ContactRecord> record = file.read(number);
        if (!record)
            return record.status();
        labels.push_back(labelTexts(*record));
    }
    return labels;
}

} // namespace quillet
