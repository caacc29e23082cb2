#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmLMAbout;
}

namespace quillet {

struct Platform;

// The About window: non-modal, opened from any window any number of times; the
// window that asked for it stays as it was.
class frmLMAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmLMAbout(Platform& platform, QWidget* parent = nullptr);
    ~frmLMAbout() override;

    // Opens a new About window beside `asker`; it deletes itself when closed and
    // closes with `asker`'s window.
    static frmLMAbout* showFrom(Platform& platform, QWidget* asker);

private:
    void systemInfo();

    Platform& m_platform;
    std::unique_ptr<Ui::frmLMAbout> m_ui;
};

} // namespace quillet
