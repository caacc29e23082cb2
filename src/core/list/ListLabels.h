#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/printing/LongLines.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace quillet {

class ContactRecord;
class ContactsFile;
class LabelReader;
class GridDocument;
struct GridStream;

// The three lines of one mailing label: "John J Smith" (initial without a full
// stop), "12 Oak St Apt 4" (ending in a space when Street2 is blank) and
// "Springfield, IL  62704".
struct LabelTexts
{
    QString name;
    QString street;
    QString city;
};
LabelTexts labelTexts(const ContactRecord& record);
// The same from a record's 400 bytes as read from the file.
LabelTexts labelTexts(QByteArrayView recordBytes);
// Those three lines in the record's own Windows-1252 bytes, one a character, each
// after a byte that gives its length (a line is at most two fields and a
// separator), appended to `lines`: what a long job keeps of many labels.
void appendLabelLines(QByteArray& lines, QByteArrayView recordBytes);
// The three lines of what appendLabelLines appended, from its start.
std::array<QByteArrayView, 3> labelLinesIn(QByteArrayView prefixed);

// Character columns of the three labels of a row.
inline constexpr std::array<int, 3> labelSlotColumns{2, 35, 67};
inline constexpr int labelsPerPage = 30;
// The longest line that fits every label of the built-in sheet.
inline constexpr int listLabelCharacters = 29;

// The labels with a line longer than that, where the grid pushes the text on into
// the next label; the first is named by its name line.
std::optional<LongLines> findLongLabelLines(const std::vector<LabelTexts>& labels);

// One copy of the built-in label sheets for these labels (below), whole or made a
// sheet at a time; the stream reads `labels` while it runs.
GridDocument composeListLabels(const std::vector<LabelTexts>& labels, int start = 1);
GridStream listLabelsStream(const std::vector<LabelTexts>& labels, int start = 1);
// The same from a reader, which may stop early: see GridStream::status().
GridStream listLabelsStream(std::shared_ptr<LabelReader> labels, int start = 1);

// One copy of the label sheets for the listed contacts, in list order, from the
// first label of the first sheet: rows of three, each followed by one empty line
// at 11 points and three at 9 (one inch in all), a new page after every 30 labels,
// and a top margin of four empty lines on every page. Each record is read back by
// its number; a line without one (0, pasted) or a failed read is an error. With
// `start` above 1 the labels before that position of the first sheet stay blank.
Status composeListLabels(const ContactsFile& file, const QList<int>& recordNumbers, GridDocument& document,
                         int start = 1);

} // namespace quillet
