#include "gui/platform/QtPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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

} // namespace

MessageResult QtPrompter::message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons), QApplication::activeWindow());
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
    // A title wider than the text would be cut by the window frame.
    const int titleWidth = std::min(box.fontMetrics().horizontalAdvance(title) + 80, 600);
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(titleWidth));
    // A message must be read even while the program is busy.
    const bool busy = m_busyDepth > 0;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int chosen = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
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
    bool ok = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? answer : QString();
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
