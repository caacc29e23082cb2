#include "gui/widgets/ShownWindows.h"

#include <QCoreApplication>
#include <QEvent>

namespace quillet {

ShownWindows::ShownWindows(QWidget* ignored) : QObject(ignored), m_ignored(ignored)
{
    QCoreApplication::instance()->installEventFilter(this);
}

ShownWindows::~ShownWindows()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

QList<QWidget*> ShownWindows::mostRecentFirst() const
{
    QList<QWidget*> windows;
    for (auto it = m_windows.crbegin(); it != m_windows.crend(); ++it) {
        if (*it)
            windows << it->data();
    }
    return windows;
}

bool ShownWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (!widget->isWindow() || (type != Qt::Window && type != Qt::Dialog) || widget == m_ignored)
        return false;
    m_windows.removeAll(QPointer<QWidget>());
    m_windows.removeIf([widget](const QPointer<QWidget>& known) { return known == widget; });
    m_windows.append(widget);
    return false;
}

} // namespace quillet
