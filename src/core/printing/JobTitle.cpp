#include "core/printing/JobTitle.h"

#include <QLocale>

namespace quillet {

QString jobTitle(const QString& what, const QString& subject, std::optional<qsizetype> contacts)
{
    QString title = what;
    if (const QString shown = subject.simplified(); !shown.isEmpty())
        title += QStringLiteral(" – ") + shown;
    if (contacts) {
        // Grouped in thousands with commas whatever the locale, so a title reads the same everywhere.
        const QString count = QLocale(QLocale::English, QLocale::UnitedStates).toString(*contacts);
        title += *contacts == 1 ? QStringLiteral(" (1 contact)") : QStringLiteral(" (%1 contacts)").arg(count);
    }
    return title;
}

} // namespace quillet
