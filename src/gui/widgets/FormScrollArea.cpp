#include "gui/widgets/FormScrollArea.h"

#include <QScrollBar>

namespace quillet {

QSize FormScrollArea::sizeHint() const
{
    if (!widget())
        return QScrollArea::sizeHint();
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}

} // namespace quillet
