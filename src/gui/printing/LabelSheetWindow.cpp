#include "gui/printing/LabelSheetWindow.h"

#include "core/printing/SheetCatalogue.h"
#include "gui/printing/SheetDrawing.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillet {

LabelSheetWindow::LabelSheetWindow(const SheetCatalogue& catalogue, const QString& current, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_chosen(current)
{
    setWindowTitle(QStringLiteral("Label Sheet"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSheetSearch"));
    m_search->setPlaceholderText(QStringLiteral("Brand, part number, description or size"));
    m_products = new QTreeWidget(this);
    m_products->setObjectName(QStringLiteral("lstSheets"));
    m_products->setRootIsDecorated(false);
    m_products->setHeaderLabels({QStringLiteral("Product"), QStringLiteral("Description"), QStringLiteral("Label size"),
                                 QStringLiteral("Labels"), QStringLiteral("Paper")});
    m_products->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_drawing = new SheetDrawing(this);
    m_drawing->setObjectName(QStringLiteral("picSheet"));
    m_notFound = new QLabel(QStringLiteral("The label sheet catalogue was not found: only the built-in sheet is "
                                           "offered. Install the glabels-data package for more."),
                            this);
    m_notFound->setWordWrap(true);
    m_notFound->setVisible(!catalogue.found());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_products, 3);
    lists->addWidget(m_drawing, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_notFound);
    layout->addLayout(lists);
    layout->addWidget(buttons);
    resize(900, 520);

    connect(m_search, &QLineEdit::textChanged, this, &LabelSheetWindow::fill);
    connect(m_products, &QTreeWidget::currentItemChanged, this, &LabelSheetWindow::showChosen);
    connect(m_products, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill(QString());
}

QString LabelSheetWindow::chosenSheet() const
{
    return m_chosen;
}

void LabelSheetWindow::fill(const QString& search)
{
    const QString keep = m_chosen;
    m_products->clear();
    for (const SheetTemplate* sheet : m_catalogue.search(search)) {
        auto* item = new QTreeWidgetItem(m_products, {sheet->name(), sheet->description, sheet->labelSizeText(),
                                                      QString::number(sheet->labelCount()), sheet->paper.name});
        item->setData(0, Qt::UserRole, sheet->builtIn ? QString() : sheet->name());
        if (item->data(0, Qt::UserRole).toString().compare(keep, Qt::CaseInsensitive) == 0)
            m_products->setCurrentItem(item);
    }
    if (!m_products->currentItem() && m_products->topLevelItemCount() > 0)
        m_products->setCurrentItem(m_products->topLevelItem(0));
}

void LabelSheetWindow::showChosen()
{
    const QTreeWidgetItem* item = m_products->currentItem();
    if (!item)
        return;
    m_chosen = item->data(0, Qt::UserRole).toString();
    const SheetTemplate* sheet = m_chosen.isEmpty() ? &m_catalogue.sheets().front() : m_catalogue.find(m_chosen);
    if (sheet)
        m_drawing->setSheet(*sheet);
}

} // namespace quillet
