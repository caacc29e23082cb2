#pragma once

#include "core/printing/SheetTemplate.h"

#include <QWidget>

namespace quillet {

// A drawing of a label sheet: the paper and every label, the labels before the
// start position greyed. A click on a label reports its position.
class SheetDrawing : public QWidget
{
    Q_OBJECT
public:
    explicit SheetDrawing(QWidget* parent = nullptr);

    void setSheet(const SheetTemplate& sheet);
    const SheetTemplate& sheet() const { return m_sheet; }
    // Positions 1 .. start - 1 are drawn grey; 1 greys none.
    void setStart(int start);
    int start() const { return m_start; }

signals:
    void labelClicked(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTransform paperToWidget() const;

    SheetTemplate m_sheet;
    int m_start = 1;
};

} // namespace quillet
