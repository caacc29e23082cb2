#include "gui/printing/SheetDrawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillet {

SheetDrawing::SheetDrawing(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(170, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SheetDrawing::setSheet(const SheetTemplate& sheet)
{
    m_sheet = sheet;
    m_start = std::clamp(m_start, 1, std::max(1, sheet.labelCount()));
    update();
}

void SheetDrawing::setStart(int start)
{
    m_start = start;
    update();
}

// The paper scaled to fit, centred, with a small border.
QTransform SheetDrawing::paperToWidget() const
{
    const double width = std::max(1.0, m_sheet.paper.width);
    const double height = std::max(1.0, m_sheet.paper.height);
    const double scale = std::min((this->width() - 8) / width, (this->height() - 8) / height);
    QTransform transform;
    transform.translate((this->width() - width * scale) / 2, (this->height() - height * scale) / 2);
    transform.scale(scale, scale);
    return transform;
}

void SheetDrawing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(paperToWidget());
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(0, 0, m_sheet.paper.width, m_sheet.paper.height));
    for (int index = 0; index < m_sheet.labelCount(); ++index) {
        painter.setBrush(index + 1 < m_start ? QColor(Qt::lightGray) : QColor(Qt::white));
        painter.drawRoundedRect(m_sheet.labelRect(index), m_sheet.radius, m_sheet.radius);
    }
}

void SheetDrawing::mousePressEvent(QMouseEvent* event)
{
    const QPointF point = paperToWidget().inverted().map(event->position());
    for (int index = 0; index < m_sheet.labelCount(); ++index) {
        if (m_sheet.labelRect(index).contains(point)) {
            emit labelClicked(index + 1);
            return;
        }
    }
}

} // namespace quillet
