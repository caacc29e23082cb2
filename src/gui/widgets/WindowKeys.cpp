#include "gui/widgets/WindowKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace quillet {

namespace {

class EnterPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || (key != Qt::Key_Return && key != Qt::Key_Enter) || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

// Watches the window itself: a key press reaches it only when the focused control
// let it pass on.
class EscapeCloses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != parent() || event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        event->accept();
        static_cast<QWidget*>(watched)->close();
        return true;
    }
};

} // namespace

void pressButtonsOnEnter(QWidget* window)
{
    auto* filter = new EnterPresses(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

void closeOnEscape(QWidget* window)
{
    window->installEventFilter(new EscapeCloses(window));
}

} // namespace quillet
