#include "gui/printing/StartPositionWindow.h"

#include "gui/printing/SheetDrawing.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillet {

StartPositionWindow::StartPositionWindow(const SheetTemplate& sheet, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Labels"));
    m_start = new QSpinBox(this);
    m_start->setObjectName(QStringLiteral("spnStartPosition"));
    m_start->setRange(1, std::max(1, sheet.labelCount()));
    m_drawing = new SheetDrawing(this);
    m_drawing->setSheet(sheet);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&First label on the first sheet:"), m_start);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_drawing, 1);
    layout->addWidget(buttons);
    resize(360, 480);

    connect(m_start, &QSpinBox::valueChanged, m_drawing, &SheetDrawing::setStart);
    connect(m_drawing, &SheetDrawing::labelClicked, m_start, &QSpinBox::setValue);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_start->selectAll();
}

int StartPositionWindow::start() const
{
    return m_start->value();
}

} // namespace quillet
