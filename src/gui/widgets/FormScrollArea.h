#pragma once

#include <QScrollArea>

namespace quillet {

// A scroll area around a window's form that asks for the whole form, where
// QScrollArea asks for a fixed share of it: the window opens at the size its form
// needs, and the form scrolls only on a screen too small for it.
class FormScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override;
};

} // namespace quillet
