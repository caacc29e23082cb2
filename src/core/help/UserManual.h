#pragma once

#include "core/common/AppError.h"

#include <QString>
#include <QStringList>

namespace quillet {

// "qltUman.pdf": the user manual's file name, in the program's folder and where it is installed.
inline const QString manualFileName = QStringLiteral("qltUman.pdf");

// The manual in the program's folder, where Help > User Manual opens it.
QString manualPath();

// Where a built or installed manual is looked for, in order: beside the program
// (the build tree), the share/doc/quillet folder of the prefix the program runs
// from, and the prefix it was built for.
QStringList installedManualCandidates();

// Copies the first manual of `sources` that exists into `folder` when `folder` has
// none. An existing copy is left alone (the user may have replaced it).
Status ensureManualIn(const QString& folder, const QStringList& sources);

// Help > User Manual: the same for the program's folder (made if need be) and the
// installed manual.
Status ensureManualInProgramFolder();

} // namespace quillet
