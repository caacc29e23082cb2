#include "core/printing/LabelPositionEntry.h"

#include "core/common/TextRules.h"
#include "core/printing/LabelSheet.h"

#include <cmath>

namespace quillet::labelposition {

const QString prompt = QStringLiteral(
    "Enter the label position [1-30] on which to print.  Example: label position 5 would be the middle label on "
    "the 2nd row of label sheet.");
const QString title = QStringLiteral("Label position reading L to R");
const QString proposed = QStringLiteral("1");

namespace {

bool isPosition(double value)
{
    return value >= 1 && value <= labelsheet::positions && value == std::floor(value);
}

Answer askAgain(QString message, QString messageTitle, std::optional<GridMargins> margins)
{
    Answer answer;
    answer.outcome = Outcome::AskAgain;
    answer.message = std::move(message);
    answer.messageTitle = std::move(messageTitle);
    answer.margins = margins;
    return answer;
}

} // namespace

Answer checkAnswer(const QString& typed)
{
    const double value = text::leadingNumber(typed);
    std::optional<GridMargins> margins;
    if (isPosition(value))
        margins = labelsheet::positionMargins(int(value));

    if (value > labelsheet::positions)
        return askAgain(QStringLiteral("Cannot be greater than 30"), QStringLiteral("Enter a number between 1 and 30"),
                        margins);
    // A number that is not a whole position from 1 to 30 (-3, 0.5) names no label:
    // rather than show it as a position while the margins stay those of label 1,
    // it is asked for again like any other answer that is not a position.
    if (typed.size() >= 3 || (value != 0 && !isPosition(value)))
        return askAgain(QStringLiteral("Enter a number between 1 and 30"),
                        QStringLiteral("There are 30 labels on label sheet"), margins);
    Answer answer;
    answer.margins = margins;
    if (value == 0)
        return answer; // Outcome::NoPosition
    answer.outcome = Outcome::Accepted;
    answer.position = int(value);
    answer.caption = QStringLiteral("Label Position ") + QString::number(answer.position);
    return answer;
}

} // namespace quillet::labelposition
