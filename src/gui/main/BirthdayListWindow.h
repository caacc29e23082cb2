#pragma once

#include "core/reminders/Reminders.h"

#include <QDialog>

#include <memory>

namespace Ui {
class BirthdayListWindow;
}

namespace quillet {

// Lists many due birthdays at once (name, date, days ahead) with a single OK, in
// place of a message box for each: a large file may have thousands.
class BirthdayListWindow : public QDialog
{
    Q_OBJECT
public:
    BirthdayListWindow(const QList<reminders::DueBirthday>& due, QWidget* parent = nullptr);
    ~BirthdayListWindow() override;

    // Opens the window over `parent` without waiting for it; it deletes itself when closed.
    static BirthdayListWindow* showFor(const QList<reminders::DueBirthday>& due, QWidget* parent);

private:
    std::unique_ptr<Ui::BirthdayListWindow> m_ui;
};

} // namespace quillet
