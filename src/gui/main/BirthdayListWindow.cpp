#include "gui/main/BirthdayListWindow.h"
#include "ui_BirthdayListWindow.h"

#include <QHeaderView>

namespace quillet {

BirthdayListWindow::BirthdayListWindow(const QList<reminders::DueBirthday>& due, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::BirthdayListWindow>())
{
    m_ui->setupUi(this);
    setWindowTitle(reminders::listTitle);
    m_ui->countLabel->setText(QStringLiteral("%1 birthdays are coming up in the next %2 days.")
                                  .arg(due.size())
                                  .arg(reminders::reminderWindowDays));
    for (const reminders::DueBirthday& birthday : reminders::sortedByDate(due)) {
        m_ui->birthdayList->addTopLevelItem(new QTreeWidgetItem(
            {birthday.name, birthday.date.toString(QStringLiteral("MM/dd")), QString::number(birthday.daysAhead)}));
    }
    m_ui->birthdayList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

BirthdayListWindow::~BirthdayListWindow() = default;

BirthdayListWindow* BirthdayListWindow::showFor(const QList<reminders::DueBirthday>& due, QWidget* parent)
{
    auto* window = new BirthdayListWindow(due, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

} // namespace quillet
