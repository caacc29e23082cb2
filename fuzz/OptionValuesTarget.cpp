#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "cli/OptionValues.h"

#include <cmath>

namespace quillet::fuzz {

namespace {

// What a whole number in plain digits is worth, worked out apart from the code
// under test: -1 for any other text, 1,000,000,000 for anything at least that big.
qint64 plainNumber(const QString& text)
{
    if (text.isEmpty())
        return -1;
    qint64 value = 0;
    for (QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return -1;
        value = std::min<qint64>(value * 10 + (c.unicode() - '0'), 1000000000);
    }
    return value;
}

// A refusal names its option; an acceptance is exactly the plain numbers in range.
QString checkBounded(const QString& option, const Result<int>& read, const QString& text, int most)
{
    const qint64 expected = plainNumber(text);
    const bool inRange = expected >= 1 && expected <= most;
    if (read.ok() != inRange)
        return QStringLiteral("%1 '%2' (up to %3): accepted %4").arg(option, text).arg(most).arg(read.ok());
    if (read.ok() && *read != expected)
        return mismatch(option + QStringLiteral(" value"), QString::number(expected), QString::number(*read));
    if (!read.ok() && !read.error().description.contains(option))
        return QStringLiteral("%1 refused without naming it: %2").arg(option, read.error().description);
    return {};
}

QString checkOffset(const QString& text)
{
    const Result<QPointF> read = cli::offsetValue(text);
    if (!read.ok())
        return read.error().description.contains(QStringLiteral("--offset"))
                   ? QString()
                   : QStringLiteral("--offset refused unnamed");
    const QPointF shift = *read;
    if (!std::isfinite(shift.x()) || !std::isfinite(shift.y()) || std::abs(shift.x()) > 10 || std::abs(shift.y()) > 10)
        return QStringLiteral("--offset '%1' accepted as %2,%3").arg(text).arg(shift.x()).arg(shift.y());
    if (text.count(QLatin1Char(',')) != 1)
        return QStringLiteral("--offset '%1' accepted without one comma").arg(text);
    // What was read reads back the same when written out in full.
    const Result<QPointF> again =
        cli::offsetValue(QString::number(shift.x(), 'g', 17) + QLatin1Char(',') + QString::number(shift.y(), 'g', 17));
    if (!again.ok() || *again != shift)
        return QStringLiteral("--offset '%1' does not read back").arg(text);
    return {};
}

QString checkMap(const QString& text)
{
    const Result<cli::ColumnChoice> read = cli::mapValue(text);
    if (!read.ok())
        return read.error().description.contains(QStringLiteral("--map")) ? QString()
                                                                          : QStringLiteral("--map refused unnamed");
    const qsizetype equals = text.lastIndexOf(QLatin1Char('='));
    if (equals < 0 || read->header != text.left(equals) || read->header.trimmed().isEmpty())
        return QStringLiteral("--map '%1' gave the header '%2'").arg(text, read->header);
    if (fieldKeyword(read->field) != text.mid(equals + 1).trimmed().toLower())
        return mismatch(QStringLiteral("--map field"), text.mid(equals + 1), fieldKeyword(read->field));
    return {};
}

} // namespace

QString optionValues(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(bytesOf(data, size));
    if (QString broken = checkBounded(QStringLiteral("--copies"), cli::copiesValue(text), text, cli::maxCopies);
        !broken.isEmpty())
        return broken;
    for (int labels : {1, 30, 10000}) {
        if (QString broken = checkBounded(QStringLiteral("--start"), cli::startValue(text, labels), text, labels);
            !broken.isEmpty())
            return broken;
    }
    if (QString broken = checkOffset(text); !broken.isEmpty())
        return broken;
    return checkMap(text);
}

} // namespace quillet::fuzz
