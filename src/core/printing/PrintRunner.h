#pragma once

#include "core/common/AppError.h"
#include "ports/PrintDialog.h"

#include <QString>

#include <functional>

namespace quillet {

class GridDocument;
struct GridStream;
class PrintTarget;

// Prints `document` on the printer chosen in the dialog, once per copy asked for,
// each copy its own job (a printer asked for n copies of a job would print n x n).
// Stops at the first failed job and returns its error; copies already sent stay
// printed. A cancelled choice prints nothing and succeeds.
Status printCopies(const GridDocument& document, const PrintChoice& choice, PrintTarget& target,
                   const QString& documentName = QStringLiteral("Quillet"));

// The same with a document built afresh for each copy (`copy` runs from 1).
Status printCopies(const std::function<GridDocument(int copy)>& makeDocument, const PrintChoice& choice,
                   PrintTarget& target, const QString& documentName = QStringLiteral("Quillet"));

// The same with a document made in pieces, afresh for each copy: targets that paint
// stream it page by page.
Status printStreamCopies(const std::function<GridStream(int copy)>& makeStream, const PrintChoice& choice,
                         PrintTarget& target, const QString& documentName = QStringLiteral("Quillet"));

} // namespace quillet
