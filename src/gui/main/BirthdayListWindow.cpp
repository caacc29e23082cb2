#include "gui/main/BirthdayListWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillet {

BirthdayListWindow::BirthdayListWindow(const QList<reminders::DueBirthday>& due, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBirthdays"));
    setWindowTitle(reminders::listTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1 birthdays are coming up in the next %2 days.")
                                     .arg(due.size())
                                     .arg(reminders::reminderWindowDays)));
    auto* list = new QTreeWidget;
    list->setObjectName(QStringLiteral("lstBirthdays"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Days ahead")});
    for (const reminders::DueBirthday& birthday : reminders::sortedByDate(due)) {
        list->addTopLevelItem(new QTreeWidgetItem(
            {birthday.name, birthday.date.toString(QStringLiteral("MM/dd")), QString::number(birthday.daysAhead)}));
    }
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setStretchLastSection(false);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(420, 360);
}

BirthdayListWindow* BirthdayListWindow::showFor(const QList<reminders::DueBirthday>& due, QWidget* parent)
{
    auto* window = new BirthdayListWindow(due, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

} // namespace quillet
