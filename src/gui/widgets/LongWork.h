#pragma once

#include "gui/widgets/LongWorkWait.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace quillet {

// Runs `work(control)` on a worker thread and returns its result, while the event
// loop keeps turning: the window stays drawn and answers the window manager, but
// takes no input. After half a second a progress dialog with Cancel shows over
// `window`; Cancel sets control.cancelled(), which the work checks to stop early.
// The work must not touch widgets, and nothing else may touch what it works on.
template <typename Work> auto runLongWork(QWidget* window, const QString& label, Work work)
{
    WorkControl control;
    auto future = QtConcurrent::run([&control, &work] { return work(control); });
    LongWorkWait wait(window, label, control);
    QFutureWatcher<decltype(future.result())> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &watcher, [&wait] { wait.finish(); });
    watcher.setFuture(future);
    if (!future.isFinished())
        wait.run();
    future.waitForFinished();
    return future.result();
}

} // namespace quillet
