#include "gui/widgets/LongWorkWait.h"

#include "gui/widgets/WindowPlacement.h"

#include <QLocale>
#include <QTimer>

#include <limits>

namespace quillet {

LongWorkWait::LongWorkWait(QWidget* window, const QString& label, WorkControl& control)
    : m_window(window), m_label(label), m_control(control)
{
    m_dialog.setObjectName(QStringLiteral("dlgProgress"));
    m_dialog.setWindowTitle(QStringLiteral("Quillet"));
    m_dialog.setLabelText(label);
    m_dialog.setCancelButtonText(QStringLiteral("Cancel"));
    // Shown by our own timer, over the window, and closed only by finish().
    m_dialog.setMinimumDuration(std::numeric_limits<int>::max());
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setRange(0, 0);
    m_dialog.setWindowModality(Qt::ApplicationModal);
    QObject::connect(&m_dialog, &QProgressDialog::canceled, &m_dialog, [this] {
        m_control.cancel();
        m_dialog.setLabelText(QStringLiteral("Cancelling…"));
    });
}

void LongWorkWait::run()
{
    if (m_finished)
        return;
    const bool wasEnabled = m_window && m_window->isEnabled();
    if (m_window)
        m_window->setEnabled(false);
    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, &m_dialog, [this] { showDialog(); });
    show.start(showAfterMs);
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &m_dialog, [this] { showProgress(); });
    progress.start(100);
    m_loop.exec();
    m_dialog.hide();
    if (m_window)
        m_window->setEnabled(wasEnabled);
}

void LongWorkWait::finish()
{
    m_finished = true;
    m_loop.quit();
}

void LongWorkWait::showDialog()
{
    if (m_finished)
        return;
    if (m_window)
        placeOver(&m_dialog, m_window);
    m_dialog.show();
}

void LongWorkWait::showProgress()
{
    if (m_control.cancelled() || !m_dialog.isVisible())
        return;
    const qint64 total = m_control.total();
    if (total > 0) {
        // The bar counts in thousandths, so that any total fits its int range.
        m_dialog.setRange(0, 1000);
        m_dialog.setValue(int(m_control.done() * 1000 / total));
    } else if (m_control.done() > 0) {
        // Work that counts nothing (finding a server's address books) keeps its label alone.
        m_dialog.setLabelText(m_label + QStringLiteral("  ") + QLocale().toString(m_control.done()));
    }
}

} // namespace quillet
