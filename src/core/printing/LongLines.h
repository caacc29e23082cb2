#pragma once

#include "ports/Prompter.h"

#include <QString>

#include <optional>

namespace quillet {

// The labels of a job whose lines are longer than the label on a built-in layout,
// where the grid pushes them on into the next label: how many there are and what
// the warning names first (a line, or a contact's name).
struct LongLines
{
    int labels = 0;
    QString first;
};

// "N labels have lines longer than the label (first: NAME). They will run into
// the next label."
QString longLinesWarning(const LongLines& found);

// Whether a line is longer than `characters`; trailing spaces take no room.
bool longerThan(const QString& line, int characters);

// Asks before a job with long lines prints: Print anyway or Cancel, and Fit to
// labels where the job can be fitted. The answer is PrintAnyway, FitToLabels or
// Cancel.
MessageResult askAboutLongLines(Prompter& prompter, const LongLines& found, bool offerFit);

} // namespace quillet
