#pragma once

#include <QString>

namespace quillet::test {

// A file under tests/data.
QString dataPath(const QString& name);

} // namespace quillet::test
