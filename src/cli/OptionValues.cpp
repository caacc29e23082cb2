#include "cli/OptionValues.h"

#include "core/printing/PrintPreferences.h"

#include <QStringList>

#include <cmath>

namespace quillet::cli {

namespace {

// Plain ASCII digits: no sign, no blanks, no "0x". Leading zeros count for nothing;
// a number too long for an int is none.
std::optional<int> wholeNumber(const QString& text)
{
    qsizetype first = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    while (first < text.size() && text[first] == QLatin1Char('0'))
        ++first;
    if (text.isEmpty() || text.size() - first > 9)
        return std::nullopt;
    return first == text.size() ? 0 : text.mid(first).toInt();
}

std::optional<double> millimetres(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > printprefs::maxOffsetMm)
        return std::nullopt;
    return value;
}

QString fieldWords()
{
    QStringList words;
    for (ImportField field : choosableFields())
        words << fieldKeyword(field);
    return words.join(QStringLiteral(", "));
}

} // namespace

AppError usageProblem(const QString& message)
{
    return AppError{errors::invalidProcedureCall().number, message};
}

Result<int> copiesValue(const QString& text)
{
    const std::optional<int> copies = wholeNumber(text);
    if (!copies || *copies < 1 || *copies > maxCopies)
        return usageProblem(
            QStringLiteral("--copies takes a whole number from 1 to %1, not '%2'").arg(maxCopies).arg(text));
    return *copies;
}

Result<QPointF> offsetValue(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    const std::optional<double> x = parts.size() == 2 ? millimetres(parts[0]) : std::nullopt;
    const std::optional<double> y = parts.size() == 2 ? millimetres(parts[1]) : std::nullopt;
    if (!x || !y)
        return usageProblem(
            QStringLiteral("--offset takes X,Y in millimetres, each from -10 to 10, not '%1'").arg(text));
    return QPointF(*x, *y);
}

Result<int> startValue(const QString& text, int labelCount)
{
    const std::optional<int> start = wholeNumber(text);
    if (!start || *start < 1 || *start > labelCount)
        return usageProblem(
            QStringLiteral("--start takes a label position from 1 to %1, not '%2'").arg(labelCount).arg(text));
    return *start;
}

Result<ColumnChoice> mapValue(const QString& text)
{
    const qsizetype equals = text.lastIndexOf(QLatin1Char('='));
    const QString header = equals < 0 ? QString() : text.left(equals);
    const std::optional<ImportField> field = equals < 0 ? std::nullopt : fieldFromKeyword(text.mid(equals + 1));
    if (header.trimmed().isEmpty() || !field) {
        return usageProblem(
            QStringLiteral("--map takes \"HEADER=FIELD\" with FIELD one of %1, not \"%2\"").arg(fieldWords(), text));
    }
    return ColumnChoice{header, *field};
}

Result<QString> nameValue(const QString& option, const QString& text)
{
    if (text.trimmed().isEmpty())
        return usageProblem(QStringLiteral("%1 needs a name, not '%2'").arg(option, text));
    return text;
}

} // namespace quillet::cli
