#include "gui/widgets/WindowPlacement.h"

#include "gui/widgets/FormScrollArea.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace quillet {

QRect windowFrame(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry())
        return frame;
    // No frame: none yet, or one QWidget has not heard of since the window came back.
    if (const QWindow* handle = window->windowHandle())
        return handle->frameGeometry();
    return frame;
}

QPoint centredPosition(const QSize& size, const QRect& anchor, const QRect& screen)
{
    QPoint topLeft =
        anchor.topLeft() + QPoint((anchor.width() - size.width()) / 2, (anchor.height() - size.height()) / 2);
    topLeft.setX(std::max(screen.left(), std::min(topLeft.x(), screen.right() + 1 - size.width())));
    topLeft.setY(std::max(screen.top(), std::min(topLeft.y(), screen.bottom() + 1 - size.height())));
    return topLeft;
}

void placeOver(QWidget* window, const QWidget* anchor)
{
    const QRect anchorFrame = windowFrame(anchor);
    const QScreen* screen = QGuiApplication::screenAt(anchorFrame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->ensurePolished();
    // Unshown, the window has no frame yet: it gets the anchor's, and the size its
    // layout will give it.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QSize frame = anchorFrame.size() - anchor->geometry().size();
    const QRect available = screen->availableGeometry();
    // A window smaller than its content grows to it where the screen has room; one
    // taller or wider than the screen is cut to it, and its form scrolls.
    const QSize fitting = window->size().expandedTo(window->sizeHint()).boundedTo(available.size() - frame);
    if (fitting != window->size())
        window->resize(fitting);
    const QSize size = window->size() + frame;
    const QPoint frameTopLeft = centredPosition(size, anchorFrame, available);
    // Placed by its inside, with the anchor's frame around it: before a window is
    // shown, a window manager may take a frame position for the inside's.
    const QPoint inset = anchor->geometry().topLeft() - anchorFrame.topLeft();
    window->setGeometry(QRect(frameTopLeft + inset, window->size()));
}

void growWithinScreen(QWidget* window, const QSize& wanted)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect before = windowFrame(window);
    const QSize frame = before.size() - window->size();
    const QSize size = window->size().expandedTo(wanted).boundedTo(available.size() - frame);
    if (size == window->size())
        return;
    window->resize(size);
    const QRect frameRect(before.topLeft(), size + frame);
    window->move(centredPosition(frameRect.size(), frameRect, available));
}

namespace {

// The window's tab order as it stands, focusable controls only.
QList<QWidget*> tabOrder(QWidget* window)
{
    QList<QWidget*> order;
    QWidget* widget = window;
    while ((widget = widget->nextInFocusChain()) != window) {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget;
    }
    return order;
}

} // namespace

QScrollArea* makeScrollable(QBoxLayout* outer, QLayout* inner)
{
    const int place = outer->indexOf(inner);
    if (place < 0 || !outer->parentWidget())
        return nullptr;
    // Moving the controls would put them at the end of the tab order.
    const QList<QWidget*> order = tabOrder(outer->parentWidget()->window());
    outer->removeItem(inner);
    inner->setParent(nullptr);
    auto* holder = new QWidget;
    holder->setLayout(inner); // takes the form's controls with it
    auto* area = new FormScrollArea;
    area->setObjectName(QStringLiteral("formScrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(holder);
    // As tall as the whole form where the screen allows; shorter, it scrolls.
    area->setMinimumWidth(holder->sizeHint().width());
    outer->insertWidget(place, area, 1);
    area->setFocusPolicy(Qt::NoFocus);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return area;
}

} // namespace quillet
