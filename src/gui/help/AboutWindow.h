#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutWindow;
}

namespace quillet {

struct Platform;

// The About window: non-modal, opened from any window any number of times; the
// window that asked for it stays as it was.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(Platform& platform, QWidget* parent = nullptr);
    ~AboutWindow() override;

    // Opens a new About window beside `asker`; it deletes itself when closed and
    // closes with `asker`'s window.
    static AboutWindow* showFrom(Platform& platform, QWidget* asker);

private:
    void systemInfo();

    Platform& m_platform;
    std::unique_ptr<Ui::AboutWindow> m_ui;
};

} // namespace quillet
