#pragma once

#include <QDialog>

class QSpinBox;

namespace quillet {

class SheetDrawing;
struct SheetTemplate;

// Asks for the first label position on the first sheet, with the sheet drawn and
// the positions before it greyed; a click on a label chooses it.
class StartPositionWindow : public QDialog
{
    Q_OBJECT
public:
    explicit StartPositionWindow(const SheetTemplate& sheet, QWidget* parent = nullptr);
    int start() const;

private:
    QSpinBox* m_start = nullptr;
    SheetDrawing* m_drawing = nullptr;
};

} // namespace quillet
