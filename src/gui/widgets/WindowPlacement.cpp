#include "gui/widgets/WindowPlacement.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace quillet {

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
    const QRect anchorFrame = anchor->frameGeometry();
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
    // A window taller or wider than the screen is cut to it; its form scrolls.
    const QSize fitting = window->size().boundedTo(available.size() - frame);
    if (fitting != window->size())
        window->resize(fitting);
    const QSize size = window->size() + frame;
    const QPoint frameTopLeft = centredPosition(size, anchorFrame, available);
    // move() places the frame's corner of a window that has a frame.
    window->move(frameTopLeft);
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
    auto* area = new QScrollArea;
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
