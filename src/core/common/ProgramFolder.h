#pragma once

#include <QString>

namespace quillet {

// The program's folder, where export files and the manual live and where file
// dialogs start: $QUILLET_HOME when set, else the documents folder + "/Quillet".
// Created when missing.
QString programFolder();

} // namespace quillet
