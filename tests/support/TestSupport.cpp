#include "support/TestSupport.h"

#include <QDir>

namespace quillet::test {

QString dataPath(const QString& name)
{
    return QDir(QStringLiteral(QUILLET_TEST_DATA)).filePath(name);
}

} // namespace quillet::test
