#include "gui/printing/PrinterOffsetWindow.h"
#include "ui_PrinterOffsetWindow.h"

#include "core/printing/PrintPreferences.h"

#include <QPrinterInfo>
#include <QPushButton>

namespace quillet {

PrinterOffsetWindow::PrinterOffsetWindow(const QStringList& printers, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrinterOffsetWindow>())
{
    m_ui->setupUi(this);
    for (QDoubleSpinBox* box : {m_ui->horizontalSpin, m_ui->verticalSpin})
        box->setRange(-printprefs::maxOffsetMm, printprefs::maxOffsetMm);
    m_ui->printerCombo->addItems(printers);
    const QString last = printprefs::lastPrinter();
    m_ui->printerCombo->setCurrentText(last.isEmpty() ? QPrinterInfo::defaultPrinterName() : last);
    const bool found = !printers.isEmpty();
    m_ui->noPrinterLabel->setVisible(!found);
    for (QWidget* control : {static_cast<QWidget*>(m_ui->printerCombo), static_cast<QWidget*>(m_ui->horizontalSpin),
                             static_cast<QWidget*>(m_ui->verticalSpin)})
        control->setEnabled(found);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(found);

    connect(m_ui->printerCombo, &QComboBox::currentTextChanged, this, &PrinterOffsetWindow::showStored);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showStored();
}

PrinterOffsetWindow::~PrinterOffsetWindow() = default;

QString PrinterOffsetWindow::printer() const
{
    return m_ui->printerCombo->currentText();
}

QPointF PrinterOffsetWindow::offsetMm() const
{
    return QPointF(m_ui->horizontalSpin->value(), m_ui->verticalSpin->value());
}

void PrinterOffsetWindow::showStored()
{
    const QPointF stored = printprefs::printerOffset(printer());
    m_ui->horizontalSpin->setValue(stored.x());
    m_ui->verticalSpin->setValue(stored.y());
}

} // namespace quillet
