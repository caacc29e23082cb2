#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PrinterOffsetWindow;
}

namespace quillet {

// Printer Offset: a printer and the horizontal and vertical shift, in millimetres
// (+-10), to store for it; opens on the offset stored for the printer shown. With
// no printer there is nothing to store an offset for: it says so, and OK is off.
class PrinterOffsetWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PrinterOffsetWindow(const QStringList& printers, QWidget* parent = nullptr);
    ~PrinterOffsetWindow() override;

    QString printer() const;
    QPointF offsetMm() const;

private:
    void showStored();

    std::unique_ptr<Ui::PrinterOffsetWindow> m_ui;
};

} // namespace quillet
