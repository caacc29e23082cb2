#pragma once

class QWidget;

namespace quillet {

// A window opened over another that shows that one again when it closes (a contact
// window opened from the list). The opener clears it before closing the window
// itself, so that it is not shown again while it goes.
class ReturningWindow
{
public:
    virtual ~ReturningWindow() = default;
    virtual void setReturnWindow(QWidget* window) = 0;
};

} // namespace quillet
