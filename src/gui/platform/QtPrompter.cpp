#include "gui/platform/QtPrompter.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>

namespace quillet {

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::OkOpenFolder:
        return QMessageBox::Ok;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::PrintAnywayCancel:
    case MessageButtons::PrintAnywayFitCancel:
        return QMessageBox::Cancel; // beside the buttons of their own
    }
    return QMessageBox::Ok;
}

// Closing a box with Escape or its close button counts as its "no" answer.
MessageResult fromQt(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    default:
        break;
    }
    if (buttons == MessageButtons::Ok || buttons == MessageButtons::OkOpenFolder)
        return MessageResult::Ok;
    if (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo)
        return MessageResult::No;
    return MessageResult::Cancel;
}

// A title wider than the text would be cut by the window frame: the box is made
// at least as wide as the title needs. A spacer under the text does it, so the
// text keeps its own minimum width and wraps inside the box.
void makeRoomForTitle(QMessageBox& box, const QString& title)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QWidget* anchor = box.parentWidget() ? box.parentWidget() : &box;
    const QScreen* screen = anchor->screen();
    const int room = screen ? screen->availableGeometry().width() * 9 / 10 : 600;
    const int width = std::min({box.fontMetrics().horizontalAdvance(title) + 80, 600, room});
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

bool isOrdinaryWindow(const QWidget* widget)
{
    const Qt::WindowType type = widget->windowType();
    return widget->isVisible() && (type == Qt::Window || type == Qt::Dialog) && !widget->inherits("QMenu");
}

} // namespace

QtPrompter::QtPrompter(DialogRunner run) : m_run(std::move(run)) {}

QWidget* QtPrompter::boxParent()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* focused = QApplication::focusWidget())
        return focused->window();
    // Under a window manager a window just shown may not be active yet.
    QWidget* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!isOrdinaryWindow(widget))
            continue;
        if (shown)
            return nullptr;
        shown = widget;
    }
    return shown;
}

int QtPrompter::run(QDialog& dialog)
{
    // A message must be read even while the program is busy.
    const bool busy = m_busyDepth > 0;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = m_run ? m_run(dialog) : dialog.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    return result;
}

MessageResult QtPrompter::message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box(toQt(icon), title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    toQt(buttons), boxParent());
    // A file name is shown as it is, never read as markup.
    box.setTextFormat(Qt::PlainText);
    // So that a path or web address in the text can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    const QPushButton* openFolder = nullptr;
    if (buttons == MessageButtons::OkOpenFolder)
        openFolder = box.addButton(QStringLiteral("Open Folder"), QMessageBox::ActionRole);
    const QPushButton* printAnyway = nullptr;
    const QPushButton* fit = nullptr;
    if (buttons == MessageButtons::PrintAnywayCancel || buttons == MessageButtons::PrintAnywayFitCancel) {
        QPushButton* print = box.addButton(QStringLiteral("Print anyway"), QMessageBox::AcceptRole);
        if (buttons == MessageButtons::PrintAnywayFitCancel)
            fit = box.addButton(QStringLiteral("Fit to labels"), QMessageBox::ActionRole);
        box.setDefaultButton(print);
        printAnyway = print;
    }
    makeRoomForTitle(box, title);
    const int chosen = run(box);
    if (openFolder && box.clickedButton() == openFolder)
        return MessageResult::OpenFolder;
    if (printAnyway && box.clickedButton() == printAnyway)
        return MessageResult::PrintAnyway;
    if (fit && box.clickedButton() == fit)
        return MessageResult::FitToLabels;
    return fromQt(chosen, buttons);
}

QString QtPrompter::input(const QString& prompt, const QString& title, const QString& proposed)
{
    QInputDialog dialog(boxParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // A long prompt wraps instead of stretching the box across the screen.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setWordWrap(true);
    dialog.setTextValue(proposed);
    if (run(dialog) != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void QtPrompter::beep()
{
    QApplication::beep();
}

void QtPrompter::setBusy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

} // namespace quillet
