#include "gui/printing/LabelSheetWindow.h"

#include "core/printing/SheetCatalogue.h"
#include "gui/printing/SheetDrawing.h"
#include "ui_LabelSheetWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

namespace quillet {

LabelSheetWindow::LabelSheetWindow(const SheetCatalogue& catalogue, const QString& current, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_ui(std::make_unique<Ui::LabelSheetWindow>()), m_chosen(current)
{
    m_ui->setupUi(this);
    m_ui->notFoundLabel->setVisible(!catalogue.found());
    // Long descriptions take what room is left; the window stays on a small screen.
    QHeaderView* header = m_ui->productList->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setStretchLastSection(false);

    connect(m_ui->searchEdit, &QLineEdit::textChanged, this, &LabelSheetWindow::fill);
    connect(m_ui->productList, &QTreeWidget::currentItemChanged, this, &LabelSheetWindow::showChosen);
    connect(m_ui->productList, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill(QString());
}

LabelSheetWindow::~LabelSheetWindow() = default;

QString LabelSheetWindow::chosenSheet() const
{
    return m_chosen;
}

void LabelSheetWindow::fill(const QString& search)
{
    const QString keep = m_chosen;
    m_ui->productList->clear();
    for (const SheetTemplate* sheet : m_catalogue.search(search)) {
        auto* item = new QTreeWidgetItem(m_ui->productList, {sheet->name(), sheet->description, sheet->labelSizeText(),
                                                             QString::number(sheet->labelCount()), sheet->paper.name});
        item->setData(0, Qt::UserRole, sheet->builtIn ? QString() : sheet->name());
        if (item->data(0, Qt::UserRole).toString().compare(keep, Qt::CaseInsensitive) == 0)
            m_ui->productList->setCurrentItem(item);
    }
    if (!m_ui->productList->currentItem() && m_ui->productList->topLevelItemCount() > 0)
        m_ui->productList->setCurrentItem(m_ui->productList->topLevelItem(0));
}

void LabelSheetWindow::showChosen()
{
    const QTreeWidgetItem* item = m_ui->productList->currentItem();
    if (!item)
        return;
    m_chosen = item->data(0, Qt::UserRole).toString();
    const SheetTemplate* sheet = m_chosen.isEmpty() ? &m_catalogue.sheets().front() : m_catalogue.find(m_chosen);
    if (sheet)
        m_ui->sheetDrawing->setSheet(*sheet);
}

} // namespace quillet
