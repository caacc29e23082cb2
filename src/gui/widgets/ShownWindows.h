#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillet {

// Notes every window the program shows, in the order each was last shown, so that
// they can be closed most recent first: also those opened by other windows.
// Menus, tool tips and other popups do not count.
class ShownWindows : public QObject
{
public:
    // Watches the whole application; `ignored` (the main window) is never listed.
    explicit ShownWindows(QWidget* ignored);
    ~ShownWindows() override;

    // The windows still alive, the most recently shown first.
    QList<QWidget*> mostRecentFirst() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_ignored;
    QList<QPointer<QWidget>> m_windows;
};

} // namespace quillet
