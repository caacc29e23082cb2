#pragma once

#include "core/exchange/ColumnMapping.h"
#include "core/exchange/ImportRun.h"

#include <QObject>
#include <QStringList>

#include <vector>

class QTableWidget;

namespace quillet {

// The import window's mapping preview of a file whose columns are matched by name:
// one row per column (header, first three values, the field it fills or
// "(ignore)"), and below it the first contacts as they would be stored, updated as
// the mapping changes. The choices are remembered for the next file with the same header.
class ImportMappingPreview : public QObject
{
    Q_OBJECT
public:
    ImportMappingPreview(QTableWidget* columns, QTableWidget* contacts, QObject* parent = nullptr);

    // Fills both tables; a mapping without a name or e-mail column starts with nothing chosen.
    void show(const ColumnPreview& preview);
    void clear();
    const ColumnMapping& mapping() const { return m_mapping; }
    // Whether a name (first, last, whole name or company) or an e-mail column is chosen.
    bool ready() const { return hasNameOrEmail(m_mapping); }
    // Keeps the current choices for the next file with this header.
    void remember() const;

signals:
    void mappingChanged();

private:
    void fillColumns();
    void choose(int column, int item);
    void fillContacts();
    void applyRemembered();

    QTableWidget* m_columns;
    QTableWidget* m_contacts;
    ColumnPreview m_preview;
    ColumnMapping m_suggested;
    ColumnMapping m_mapping;
};

} // namespace quillet
