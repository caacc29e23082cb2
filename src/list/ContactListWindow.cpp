#include "list/ContactListWindow.h"

#include "help/Help.h"
#include "list/ListModel.h"
#include "shell/Session.h"
#include "shell/WindowHost.h"
#include "ui_ContactListWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace quillet {

namespace {

// Draws a list line with its tabs at the list's tab stops, which are given in
// dialog units: a quarter of the average character width of the list's font.
class ListLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QRect rect = style ? style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget) : opt.rect;
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        textOption.setTabArray(tabStops(opt.fontMetrics));
        painter->save();
        painter->setFont(opt.font);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(rect), text, textOption);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        QList<int> stops;
        for (qreal stop : tabStops(option.fontMetrics))
            stops << qRound(stop);
        const QString text = index.data(Qt::DisplayRole).toString();
        const int width =
            option.fontMetrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, text, int(stops.size()), stops.data())
                .width();
        size.setWidth(width + 2 * option.fontMetrics.averageCharWidth());
        return size;
    }

private:
    static QList<qreal> tabStops(const QFontMetrics& metrics)
    {
        static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const qreal averageWidth = metrics.horizontalAdvance(alphabet) / qreal(alphabet.size());
        QList<qreal> stops;
        for (int units : listTabStopUnits)
            stops << units * averageWidth / 4;
        return stops;
    }
};

} // namespace

ContactListWindow::ContactListWindow(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ContactListWindow>()), m_session(session), m_platform(platform),
      m_host(host), m_model(new ListModel(this))
{
    m_ui->setupUi(this);
    m_ui->mainLayout->setMenuBar(m_ui->menuBar);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_ui->contactsView->setModel(m_model);
    m_ui->contactsView->setItemDelegate(new ListLineDelegate(m_ui->contactsView));
    m_ui->reportButton->setDefault(true);
    connectControls();
    load();
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
    connect(m_ui->editMenu, &QMenu::aboutToShow, this, &ContactListWindow::updateEditMenu);
    connect(m_ui->copyAction, &QAction::triggered, this, &ContactListWindow::editCopy);
    connect(m_ui->cutAction, &QAction::triggered, this, &ContactListWindow::editCut);
    connect(m_ui->pasteAction, &QAction::triggered, this, &ContactListWindow::editPaste);
    connect(m_ui->selectAllAction, &QAction::triggered, this, &ContactListWindow::editSelectAll);
    connect(m_ui->manualAction, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->aboutAction, &QAction::triggered, this, [this] { m_host.showAbout(); });
    connect(m_ui->contactsView, &QListView::doubleClicked, this, &ContactListWindow::openContact);
}

void ContactListWindow::load()
{
    m_model->clear();
    m_ui->printAction->setEnabled(false);
    setWindowTitle(QStringLiteral("All Contacts  [") + m_session.fileTitle() + QLatin1Char(']'));
    m_ui->headerEdit->setVisible(true);
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
    m_ui->headerEdit->setVisible(true);
    QFont headerFont = m_ui->headerEdit->font();
    headerFont.setPointSize(12);
    m_ui->headerEdit->setFont(headerFont);
    m_ui->headerEdit->setText(listHeaderText);

    // A load that failed part-way left its lines for the user to see; trying again
    // starts afresh instead of listing those contacts twice.
    if (m_partialLoad)
        m_model->clear();
    std::vector<ListEntry> found;
    Status loaded;
    {
        BusyCursor busy(m_platform.prompter);
        const ContactsFileLock locked(m_session.file(), LockKind::Shared);
        loaded = locked.status().ok() ? loadList(m_session.file(), m_query, m_model->order(), found) : locked.status();
        m_filledFrom = m_session.file().identity();
    }
    const int count = static_cast<int>(found.size());
    if (count > 0) {
        const SearchFieldInfo* info = searchFieldInfo(m_query.field);
        m_resultLabel = info ? info->resultLabel : QString();
    }
    m_model->addSorted(std::move(found));
    m_partialLoad = !loaded;
    if (!loaded) {
        showErrorBox(loaded.error());
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

void ContactListWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model->clear();
    if (m_session.currentRecord() != 0)
        m_host.openContactWindow(m_session.currentRecord());
    else
        m_host.returnToMainWindow();
}

void ContactListWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close this window; only Close and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillet
