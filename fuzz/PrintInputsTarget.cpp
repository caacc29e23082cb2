#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/common/TextRules.h"
#include "core/printing/GridTranscript.h"
#include "core/printing/LabelPositionEntry.h"
#include "core/printing/LabelSheet.h"
#include "core/printing/TypedLines.h"

#include <QStringList>

#include <limits>

namespace quillet::fuzz {

namespace {

QString checkPositionAnswer(const QString& typed)
{
    using labelposition::Outcome;
    const labelposition::Answer answer = labelposition::checkAnswer(typed);
    if (answer.outcome == Outcome::Accepted) {
        if (answer.position < 1 || answer.position > labelsheet::positions)
            return QStringLiteral("accepted position %1").arg(answer.position);
        if (answer.margins != labelsheet::positionMargins(answer.position))
            return QStringLiteral("position %1 without its margins").arg(answer.position);
        if (answer.caption != QStringLiteral("Label Position %1").arg(answer.position))
            return mismatch(QStringLiteral("caption"), QString::number(answer.position), answer.caption);
    } else if (answer.outcome == Outcome::AskAgain && (answer.message.isEmpty() || answer.messageTitle.isEmpty())) {
        return QStringLiteral("asked again without a message");
    } else if (answer.outcome == Outcome::NoPosition && text::leadingNumber(typed) != 0) {
        return QStringLiteral("a number taken for no position");
    }
    return {};
}

QString checkMargin(const QString& field)
{
    const std::optional<int> value = readMarginField(field);
    if (value && (*value < std::numeric_limits<qint16>::min() || *value > std::numeric_limits<qint16>::max()))
        return QStringLiteral("margin %1 outside 16 bits").arg(*value);
    return {};
}

// Every typed line with text must reach the transcript, whatever the margins.
QString checkPrintedLines(const TypedLinesRequest& request)
{
    const std::optional<GridDocument> document = composeTypedLines(request);
    const bool readable = readMarginField(request.leftPadText) && readMarginField(request.topPadText);
    if (document.has_value() != readable)
        return QStringLiteral("margins readable %1 but document composed %2").arg(readable).arg(document.has_value());
    if (!document)
        return {};
    const QString transcript = gridTranscript(*document);
    for (const QString& line : request.lines) {
        const QString shown = text::trimTrailingSpaces(line);
        if (!shown.isEmpty() && !transcript.contains(shown))
            return QStringLiteral("typed line missing from the transcript: ") + shown;
    }
    return {};
}

} // namespace

QString printInputs(const uint8_t* data, size_t size)
{
    QStringList texts = QString::fromUtf8(bytesOf(data, size)).split(u'\n');
    texts.resize(8);
    if (QString broken = checkPositionAnswer(texts[0]); !broken.isEmpty())
        return broken;
    for (int i = 0; i < 3; ++i) {
        if (QString broken = checkMargin(texts[i]); !broken.isEmpty())
            return broken;
    }
    TypedLinesRequest request;
    request.leftPadText = texts[1];
    request.topPadText = texts[2];
    std::copy(texts.begin() + 3, texts.end(), request.lines.begin());
    request.envelopeSizeNo = QStringLiteral("1");
    for (PrintMedia media : {PrintMedia::Label, PrintMedia::Envelope}) {
        request.media = media;
        request.orientation = media == PrintMedia::Label ? PageOrientation::Portrait : PageOrientation::Landscape;
        request.alignment = media == PrintMedia::Label ? LineAlignment::Centered : LineAlignment::LeftJustified;
        if (QString broken = checkPrintedLines(request); !broken.isEmpty())
            return broken;
    }
    return {};
}

} // namespace quillet::fuzz
