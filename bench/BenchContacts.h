#pragma once

#include <QString>

class QTemporaryDir;

namespace quillet::bench {

// A temporary folder for a benchmark's files, removed when the program ends.
QTemporaryDir& workDir();

// A contacts file of `count` varied contacts (names with accents and mixed case,
// streets, cities, phones, e-mails) in a temporary folder that lives as long as
// the program, made once per name and count. The same seed every time, so that
// runs compare.
QString contactsFile(const QString& name, int count);

} // namespace quillet::bench
