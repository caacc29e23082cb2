#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

namespace quillet {

// Printer Offset: a printer and the horizontal and vertical shift, in millimetres
// (+-10), to store for it; opens on the offset stored for the printer shown.
class PrinterOffsetWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PrinterOffsetWindow(QWidget* parent = nullptr);

    QString printer() const;
    QPointF offsetMm() const;

private:
    void showStored();

    QComboBox* m_printer = nullptr;
    QDoubleSpinBox* m_x = nullptr;
    QDoubleSpinBox* m_y = nullptr;
};

} // namespace quillet
