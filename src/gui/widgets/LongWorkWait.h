#pragma once

#include "core/common/WorkControl.h"

#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

class QWidget;

namespace quillet {

// The window's side of a long run (see runLongWork): keeps the event loop turning
// with the window disabled until finish(), and once half a second has passed shows
// a progress dialog with Cancel over the window.
class LongWorkWait
{
public:
    // How long the work runs before the dialog shows; tests that must see the
    // dialog on a fast machine shorten it.
    static inline int showAfterMs = 500;

    LongWorkWait(QWidget* window, const QString& label, WorkControl& control);
    // Returns once finish() is called.
    void run();
    void finish();

private:
    void showDialog();
    void showProgress();

    QPointer<QWidget> m_window;
    QString m_label;
    WorkControl& m_control;
    QProgressDialog m_dialog;
    QEventLoop m_loop;
    bool m_finished = false;
};

} // namespace quillet
