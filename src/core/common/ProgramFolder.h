#pragma once

#include <QString>

namespace quillet {

// The program's folder, where export files and the manual live and where file
// dialogs start: $QUILLET_HOME when set, else the documents folder + "/Quillet".
// Not created here: whoever first writes into it makes it.
QString programFolder();

} // namespace quillet
