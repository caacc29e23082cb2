#include "core/printing/LongLines.h"

#include "core/printing/LabelSheet.h"

namespace quillet {

QString longLinesWarning(const LongLines& found)
{
    const QString count =
        found.labels == 1 ? QStringLiteral("1 label has") : QStringLiteral("%1 labels have").arg(found.labels);
    return count + QStringLiteral(" lines longer than the label (first: %1). They will run into the next label.")
                       .arg(found.first);
}

bool longerThan(const QString& line, int characters)
{
    return labelsheet::visibleCount(line) > characters;
}

MessageResult askAboutLongLines(Prompter& prompter, const LongLines& found, bool offerFit)
{
    return prompter.message(longLinesWarning(found), QStringLiteral("Lines longer than the label"),
                            MessageIcon::Exclamation,
                            offerFit ? MessageButtons::PrintAnywayFitCancel : MessageButtons::PrintAnywayCancel);
}

} // namespace quillet
