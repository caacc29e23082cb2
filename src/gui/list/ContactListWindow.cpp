#include "gui/list/ContactListWindow.h"

#include "core/common/Settings.h"
#include "core/help/Help.h"
#include "core/list/ListModel.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "gui/widgets/LongWork.h"
#include "gui/widgets/WindowKeys.h"
#include "ui_ContactListWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace quillet {

namespace {

// What each column must show whole at its first width: a long name, city and
// e-mail address, and every character of a ZIP+4 code and a phone number.
const char* const widestTexts[ListModel::ColumnCount] = {
    "Margaret Fitzgerald-Smith",      "San Francisco Bay", "WW", "00000-0000", "(000) 000-0000", "(000) 000-0000",
    "margaret.fitzgerald@example.com"};

} // namespace

ContactListWindow::ContactListWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ContactListWindow>()), m_session(session), m_platform(platform),
      m_host(host), m_model(new ListModel(this))
{
    m_ui->setupUi(this);
    closeOnEscape(this);
    m_ui->mainLayout->setMenuBar(m_ui->menuBar);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setupTable();
    m_ui->reportButton->setDefault(true);
    connectControls();
    load();
}

// A table with a real header: its columns meet the rows at any width, long texts are
// elided, a header click sorts, and the widths the user gives the columns are kept.
void ContactListWindow::setupTable()
{
    QTreeView* view = m_ui->contactsView;
    view->setModel(m_model);
    view->setTextElideMode(Qt::ElideRight);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    QHeaderView* header = view->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(true);
    // The cell's text margins and the header's sort arrow.
    const int room = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 16;
    for (int column = 0; column < ListModel::ColumnCount; ++column) {
        const int text = view->fontMetrics().horizontalAdvance(QLatin1String(widestTexts[column]));
        const int title =
            header->fontMetrics().horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString());
        header->resizeSection(column, std::max(text, title) + room);
    }
    header->restoreState(settings::value(settings::listColumns));
    header->setSortIndicator(0, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->installEventFilter(this);
    // The search and sort boxes lie over the empty list below its header, which
    // stays readable; the list keeps room for them.
    m_ui->listArea->removeWidget(m_ui->choiceArea);
    m_ui->choiceArea->setParent(view->viewport());
    m_ui->choiceArea->move(0, 0);
    m_ui->choiceArea->adjustSize();
    const int frame = 2 * view->frameWidth();
    view->setMinimumSize(m_ui->choiceArea->size() + QSize(frame, header->sizeHint().height() + frame));
}

ContactListWindow::~ContactListWindow() = default;

void ContactListWindow::connectControls()
{
    const auto searchOption = [this](QRadioButton* option, SearchField field) {
        connect(option, &QRadioButton::clicked, this, [this, option, field] { onSearchFieldClicked(option, field); });
    };
    searchOption(m_ui->searchFirstNameRadio, SearchField::FirstName);
    searchOption(m_ui->searchLastNameRadio, SearchField::LastName);
    searchOption(m_ui->searchCityRadio, SearchField::City);
    searchOption(m_ui->searchStateRadio, SearchField::State);
    searchOption(m_ui->searchZipRadio, SearchField::Zip);
    searchOption(m_ui->searchEmailRadio, SearchField::Email);
    searchOption(m_ui->searchCategoryRadio, SearchField::Category);
    connect(m_ui->searchAllRadio, &QRadioButton::clicked, this, &ContactListWindow::onSearchAllClicked);
    connect(m_ui->firstNameSortRadio, &QRadioButton::clicked, this,
            [this] { onSortClicked(m_ui->firstNameSortRadio, SortOrder::FirstName); });
    connect(m_ui->lastNameSortRadio, &QRadioButton::clicked, this,
            [this] { onSortClicked(m_ui->lastNameSortRadio, SortOrder::LastName); });

    connect(m_ui->reportButton, &QPushButton::clicked, this, &ContactListWindow::getReport);
    connect(m_ui->printLabelsButton, &QPushButton::clicked, this, &ContactListWindow::printLabels);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &ContactListWindow::close);
    connect(m_ui->printAction, &QAction::triggered, this, &ContactListWindow::printReport);
    connect(m_ui->reportPreviewAction, &QAction::triggered, this, &ContactListWindow::previewReport);
    connect(m_ui->labelsPreviewAction, &QAction::triggered, this, &ContactListWindow::previewLabels);
    connect(m_ui->labelSheetAction, &QAction::triggered, this, &ContactListWindow::chooseLabelSheet);
    connect(m_ui->copyAction, &QAction::triggered, this, &ContactListWindow::editCopy);
    connect(m_ui->cutAction, &QAction::triggered, this, &ContactListWindow::editCut);
    connect(m_ui->pasteAction, &QAction::triggered, this, &ContactListWindow::editPaste);
    connect(m_ui->selectAllAction, &QAction::triggered, this, &ContactListWindow::editSelectAll);
    connect(m_ui->manualAction, &QAction::triggered, this,
            [this] { openUserManual(m_platform.desktop, m_platform.prompter); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
    connect(m_ui->contactsView, &QTreeView::doubleClicked, this, &ContactListWindow::openContact);
}

void ContactListWindow::load()
{
    m_model->clear();
    m_ui->printAction->setEnabled(false);
    setWindowTitle(QStringLiteral("All Contacts  [") + m_session.fileTitle() + QLatin1Char(']'));
    m_ui->contactsView->setVisible(true);
    m_ui->reportButton->setEnabled(true);
    m_ui->totalContactsLabel->clear();
    m_query = ListQuery{};
    m_ui->searchDisplayLabel->setVisible(false);
    m_ui->reportButton->setFocus();
}

void ContactListWindow::startFromMenu()
{
    show();
    m_ui->searchGroup->setVisible(true);
    // Selecting from code runs the click steps, as a user's click would.
    m_ui->searchAllRadio->setChecked(true);
    onSearchAllClicked();
    m_ui->firstNameSortRadio->setChecked(true);
    onSortClicked(m_ui->firstNameSortRadio, SortOrder::FirstName);
}

void ContactListWindow::onSearchFieldClicked(QRadioButton* option, SearchField field)
{
    if (option->isChecked())
        m_query.field = field;
    // Every click asks again, also on the option already chosen.
    const SearchFieldInfo* info = searchFieldInfo(field);
    m_query.text = m_platform.prompter.input(QStringLiteral("Search For: "), info->inputTitle, QString());
    m_ui->searchDisplayLabel->setText(m_query.text);
    m_ui->searchDisplayLabel->setVisible(true);
    m_ui->reportButton->setFocus();
}

void ContactListWindow::onSearchAllClicked()
{
    if (m_ui->searchAllRadio->isChecked())
        m_query.field = SearchField::All;
    m_ui->searchDisplayLabel->setVisible(false);
}

void ContactListWindow::onSortClicked(QRadioButton* option, SortOrder order)
{
    if (option->isChecked())
        m_query.order = order;
    m_ui->reportButton->setFocus();
}

void ContactListWindow::getReport()
{
    m_ui->searchGroup->setVisible(false);
    m_ui->sortOrderGroup->setVisible(false);
    // Their holder lies over the list too; hidden, it no longer takes the list's clicks.
    m_ui->choiceArea->setVisible(false);
    // A load that failed part-way left its lines for the user to see; trying again
    // starts afresh instead of listing those contacts twice.
    if (m_partialLoad)
        m_model->clear();
    Partial<std::vector<ListEntry>> found;
    {
        BusyCursor busy(m_platform.prompter);
        const ListOrder& order = m_model->order();
        found = runLongWork(this, QStringLiteral("Loading the list…"), [&](WorkControl& control) {
            const ContactsFileLock locked(m_session.file(), LockKind::Shared);
            return locked.status().ok() ? loadList(m_session.file(), m_query, order, &control)
                                        : Partial<std::vector<ListEntry>>{{}, locked.status()};
        });
        m_filledFrom = m_session.file().identity();
    }
    // Cancelled: back to the query as it was.
    if (!found.complete() && isCancelled(found.stoppedBy.error())) {
        for (QWidget* choice :
             {m_ui->choiceArea, static_cast<QWidget*>(m_ui->searchGroup), static_cast<QWidget*>(m_ui->sortOrderGroup)})
            choice->setVisible(true);
        return;
    }
    const int count = static_cast<int>(found.value.size());
    if (count > 0) {
        const SearchFieldInfo* info = searchFieldInfo(m_query.field);
        m_resultLabel = info ? info->resultLabel : QString();
    }
    m_model->addSorted(std::move(found.value));
    m_partialLoad = !found.complete();
    if (!found.complete()) {
        showErrorBox(found.stoppedBy.error());
        return;
    }
    showLoadResult(count);
}

void ContactListWindow::showLoadResult(int found)
{
    m_ui->searchDisplayLabel->setVisible(m_query.field != SearchField::All);
    m_ui->searchDisplayLabel->setText(m_resultLabel + QStringLiteral(" = ") + m_query.text);
    m_ui->printLabelsButton->setEnabled(true);
    m_ui->totalContactsLabel->setText(QStringLiteral("Contacts Found = ") + QString::number(found));
    m_ui->totalContactsLabel->setVisible(true);
    m_ui->printAction->setEnabled(true);
    m_ui->closeButton->setFocus();
    if (found != 0) {
        m_ui->reportButton->setEnabled(false);
        return;
    }
    m_platform.prompter.message(QStringLiteral("No contacts found."), QStringLiteral("Contact file empty."));
    m_ui->closeButton->setFocus();
}

// Whatever was opened from the list, closing it brings back the main window only.
void ContactListWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    settings::setValue(settings::listColumns, m_ui->contactsView->header()->saveState());
    m_model->clear();
    closeContactWindow();
    m_host.returnToMainWindow();
}

// Escape closes the window as Close does (a dialog would only hide it).
// Enter on the list opens the selected contact instead of pressing the default button.
bool ContactListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->contactsView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openContact();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
