#include "core/exchange/ServerExport.h"

#include <QStringList>

namespace quillet {

QString serverExportText(const ServerExportSummary& summary)
{
    QString text = QStringLiteral("%1 cards created, %2 updated, %3 unchanged.")
                       .arg(summary.created)
                       .arg(summary.updated)
                       .arg(summary.unchanged);
    QStringList notes;
    if (summary.notOurs > 0)
        notes << QStringLiteral("%1 left alone (their cards were not made by Quillet)").arg(summary.notOurs);
    if (summary.skipped > 0)
        notes
            << QStringLiteral("%1 skipped (no name or e-mail, deleted, or the same person twice)").arg(summary.skipped);
    if (summary.refused > 0)
        notes << QStringLiteral("%1 refused by the server (%2)").arg(summary.refused).arg(summary.firstRefusal);
    if (!notes.isEmpty())
        text += u' ' + notes.join(QStringLiteral("; ")) + u'.';
    return text;
}

} // namespace quillet
