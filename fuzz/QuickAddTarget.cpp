#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "core/editing/ContactValidation.h"
#include "core/editing/QuickAddParser.h"

#include <QStringList>

namespace quillet::fuzz {

namespace {

using F = FormField;

// The widths the rules cut the pieces to.
QString checkWidths(const QuickAddResult& result)
{
    const struct
    {
        F field;
        int width;
    } limits[] = {{F::FirstName, 18}, {F::MiddleInitial, 1}, {F::City, 16}, {F::State, 2}, {F::Zip, 10}};
    for (const auto& limit : limits) {
        const std::optional<QString>& value = result.value(limit.field);
        if (value && value->size() > limit.width)
            return QStringLiteral("%1 '%2' longer than %3").arg(formFieldCaption(limit.field), *value).arg(limit.width);
    }
    return {};
}

// What quick add fills goes through the Add Contact checks; whatever passes them
// must become one whole record.
QString checkSaved(const QuickAddResult& result)
{
    ContactForm form;
    for (F field : allFormFields())
        form[field] = result.value(field).value_or(QString());
    const ValidationResult validated = validateContact(form, addContactRules);
    if (!validated.ok())
        return {};
    const QByteArray bytes = recordFromForm(validated.form, QStringLiteral("1")).toBytes();
    if (bytes.size() != recordSize || !bytes.endsWith("|1\r\n"))
        return QStringLiteral("the saved record is not whole");
    return {};
}

} // namespace

QString quickAdd(const uint8_t* data, size_t size)
{
    QStringList lines = QString::fromUtf8(bytesOf(data, size)).split(u'\n');
    lines.resize(5);
    const QuickAddResult result = parseLabelLines(lines);
    const bool needsSpace = !lines[0].isEmpty() && !lines[0].contains(u' ');
    if (result.lineOneNeedsSpace != needsSpace)
        return QStringLiteral("'Line 1 must contain a space.' for line 1 '%1': %2").arg(lines[0]).arg(needsSpace);
    if (needsSpace) {
        for (F field : allFormFields()) {
            if (result.value(field))
                return QStringLiteral("%1 filled although line 1 was refused").arg(formFieldCaption(field));
        }
        return {};
    }
    if (QString broken = checkWidths(result); !broken.isEmpty())
        return broken;
    return checkSaved(result);
}

} // namespace quillet::fuzz
