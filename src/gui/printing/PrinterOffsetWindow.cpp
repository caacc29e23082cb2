#include "gui/printing/PrinterOffsetWindow.h"

#include "core/printing/PrintPreferences.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace quillet {

namespace {

QDoubleSpinBox* offsetBox(QWidget* parent, const QString& name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-printprefs::maxOffsetMm, printprefs::maxOffsetMm);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

PrinterOffsetWindow::PrinterOffsetWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Printer Offset"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("cboPrinter"));
    m_printer->addItems(QPrinterInfo::availablePrinterNames());
    const QString last = printprefs::lastPrinter();
    m_printer->setCurrentText(last.isEmpty() ? QPrinterInfo::defaultPrinterName() : last);
    m_x = offsetBox(this, QStringLiteral("txtOffsetX"));
    m_y = offsetBox(this, QStringLiteral("txtOffsetY"));
    auto* note = new QLabel(QStringLiteral("Print the calibration page, measure how far the crosses land from the "
                                           "label centres, and enter that shift: right and down are positive."),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), m_printer);
    form->addRow(QStringLiteral("&Horizontal:"), m_x);
    form->addRow(QStringLiteral("&Vertical:"), m_y);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_printer, &QComboBox::currentTextChanged, this, &PrinterOffsetWindow::showStored);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showStored();
}

QString PrinterOffsetWindow::printer() const
{
    return m_printer->currentText();
}

QPointF PrinterOffsetWindow::offsetMm() const
{
    return QPointF(m_x->value(), m_y->value());
}

void PrinterOffsetWindow::showStored()
{
    const QPointF stored = printprefs::printerOffset(printer());
    m_x->setValue(stored.x());
    m_y->setValue(stored.y());
}

} // namespace quillet
