#pragma once

#include <QtGlobal>

#include <atomic>

namespace quillet {

// What a long run on a worker thread shares with the window that started it: how
// far it got, and whether the user asked it to stop. Both sides may call any
// member at any time.
class WorkControl
{
public:
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }

    // `total` 0: the end is not known in advance.
    void setProgress(qint64 done, qint64 total = 0)
    {
        m_done = done;
        m_total = total;
    }
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }

private:
    std::atomic<bool> m_cancelled{false};
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
};

} // namespace quillet
