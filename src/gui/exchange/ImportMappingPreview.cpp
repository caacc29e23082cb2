#include "gui/exchange/ImportMappingPreview.h"

#include "core/common/Settings.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace quillet {

namespace {

constexpr int sampleCount = 3;

// The target a choice of `field` stands for: the dictionary's own when it is the
// same field (it keeps its address or phone group).
ColumnTarget targetFor(ImportField field, const ColumnTarget& suggested)
{
    return field == suggested.field ? suggested : ColumnTarget{field, 0};
}

} // namespace

ImportMappingPreview::ImportMappingPreview(QTableWidget* columns, QTableWidget* contacts, QObject* parent)
    : QObject(parent), m_columns(columns), m_contacts(contacts)
{
    m_columns->setColumnCount(3);
    m_columns->setHorizontalHeaderLabels(
        {QStringLiteral("Column"), QStringLiteral("First values"), QStringLiteral("Field")});
    m_columns->horizontalHeader()->setStretchLastSection(true);
    // Tab moves on to the next control, as everywhere else; arrows move in the table.
    for (QTableWidget* table : {m_columns, m_contacts}) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setTabKeyNavigation(false);
    }
    QStringList names;
    for (int i = 0; i < fieldCount - 1; ++i)
        names << QString::fromLatin1(fieldInfo(allFields[i]).caption);
    m_contacts->setColumnCount(int(names.size()));
    m_contacts->setHorizontalHeaderLabels(names);
}

void ImportMappingPreview::clear()
{
    m_preview = {};
    m_suggested.clear();
    m_mapping.clear();
    m_columns->setRowCount(0);
    m_contacts->setRowCount(0);
}

void ImportMappingPreview::show(const ColumnPreview& preview)
{
    m_preview = preview;
    m_suggested = preview.mapping;
    if (!hasNameOrEmail(m_suggested))
        m_suggested.assign(m_suggested.size(), ColumnTarget{});
    m_mapping = m_suggested;
    applyRemembered();
    fillColumns();
    fillContacts();
}

void ImportMappingPreview::fillColumns()
{
    m_columns->setRowCount(int(m_preview.headers.size()));
    for (int column = 0; column < m_preview.headers.size(); ++column) {
        QStringList samples;
        for (std::size_t row = 0; row < m_preview.rows.size() && samples.size() < sampleCount; ++row)
            samples << m_preview.rows[row].value(column).simplified();
        m_columns->setItem(column, 0, new QTableWidgetItem(m_preview.headers.at(column)));
        m_columns->setItem(column, 1, new QTableWidgetItem(samples.join(QStringLiteral(" | "))));
        auto* combo = new QComboBox;
        combo->setObjectName(QStringLiteral("fieldCombo%1").arg(column));
        const ColumnTarget suggested = m_suggested[std::size_t(column)];
        // A target only the dictionary gives (a phone whose type stands in another column) is offered too.
        if (std::find(choosableFields().begin(), choosableFields().end(), suggested.field) == choosableFields().end())
            combo->addItem(fieldCaption(suggested.field), int(suggested.field));
        for (const ImportField field : choosableFields())
            combo->addItem(fieldCaption(field), int(field));
        combo->setCurrentIndex(combo->findData(int(m_mapping[std::size_t(column)].field)));
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, column, combo](int item) { choose(column, combo->itemData(item).toInt()); });
        m_columns->setCellWidget(column, 2, combo);
    }
    m_columns->resizeColumnsToContents();
}

void ImportMappingPreview::choose(int column, int item)
{
    m_mapping[std::size_t(column)] = targetFor(static_cast<ImportField>(item), m_suggested[std::size_t(column)]);
    fillContacts();
    emit mappingChanged();
}

void ImportMappingPreview::fillContacts()
{
    m_contacts->setRowCount(int(m_preview.rows.size()));
    for (int row = 0; row < int(m_preview.rows.size()); ++row) {
        const ContactRecord record =
            contactFromImported(importedFromRow(m_mapping, m_preview.rows[std::size_t(row)])).record;
        for (int i = 0; i < fieldCount - 1; ++i)
            m_contacts->setItem(row, i, new QTableWidgetItem(record.value(allFields[i])));
    }
    m_contacts->resizeColumnsToContents();
}

void ImportMappingPreview::remember() const
{
    QStringList choices;
    for (const ColumnTarget& target : m_mapping)
        choices << fieldKeyword(target.field);
    settings::setValue(settings::importMapping(m_preview.headers), choices);
}

void ImportMappingPreview::applyRemembered()
{
    const QStringList choices = settings::value(settings::importMapping(m_preview.headers));
    if (choices.size() != m_preview.headers.size())
        return;
    for (std::size_t column = 0; column < m_mapping.size(); ++column) {
        const ColumnTarget& suggested = m_suggested[column];
        if (choices.at(qsizetype(column)) == fieldKeyword(suggested.field))
            m_mapping[column] = suggested;
        else if (const auto field = fieldFromKeyword(choices.at(qsizetype(column))))
            m_mapping[column] = targetFor(*field, suggested);
    }
}

} // namespace quillet
