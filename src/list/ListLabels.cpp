#include "list/ListLabels.h"

#include "common/TextRules.h"
#include "contacts/ContactsFile.h"
#include "printing/GridDocument.h"

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

Status composeListLabels(const ContactsFile& file, const QList<int>& recordNumbers, GridDocument& document)
{
    document.setFont(labelFont, 10);
    document.setOrientation(PageOrientation::Portrait);
    printTopMargin(document);
    document.setFont(labelFont, 10);
    std::array<LabelTexts, 3> row;
    int filled = 0;
    const qsizetype last = recordNumbers.size() - 1;
    for (qsizetype index = 0; index <= last; ++index) {
        const Result<ContactRecord> record = file.readChecked(recordNumbers[index]);
        if (!record)
            return record.status();
        row[filled++] = labelTexts(*record);
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
    return Status::success();
}

} // namespace quillet
