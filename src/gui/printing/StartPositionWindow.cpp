#include "gui/printing/StartPositionWindow.h"

#include "gui/printing/SheetDrawing.h"
#include "ui_StartPositionWindow.h"

namespace quillet {

StartPositionWindow::StartPositionWindow(const SheetTemplate& sheet, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::StartPositionWindow>())
{
    m_ui->setupUi(this);
    m_ui->startSpin->setRange(1, std::max(1, sheet.labelCount()));
    m_ui->sheetDrawing->setSheet(sheet);

    connect(m_ui->startSpin, &QSpinBox::valueChanged, m_ui->sheetDrawing, &SheetDrawing::setStart);
    connect(m_ui->sheetDrawing, &SheetDrawing::labelClicked, m_ui->startSpin, &QSpinBox::setValue);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui->startSpin->selectAll();
}

StartPositionWindow::~StartPositionWindow() = default;

int StartPositionWindow::start() const
{
    return m_ui->startSpin->value();
}

} // namespace quillet
