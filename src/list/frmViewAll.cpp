#include "list/frmViewAll.h"

#include "help/Help.h"
#include "list/ListModel.h"
#include "shell/Session.h"
#include "shell/WindowHost.h"
#include "ui_frmViewAll.h"

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

frmViewAll::frmViewAll(Session& session, Platform& platform, WindowHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmViewAll>()), m_session(session), m_platform(platform), m_host(host),
      m_model(new ListModel(this))
{
    m_ui->setupUi(this);
    m_ui->mainLayout->setMenuBar(m_ui->menuBar);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_ui->lstAllContacts->setModel(m_model);
    m_ui->lstAllContacts->setItemDelegate(new ListLineDelegate(m_ui->lstAllContacts));
    m_ui->cmdACGetReport->setDefault(true);
    connectControls();
    load();
}

frmViewAll::~frmViewAll() = default;

void frmViewAll::connectControls()
{
    const auto searchOption = [this](QRadioButton* option, SearchField field) {
        connect(option, &QRadioButton::clicked, this, [this, option, field] { onSearchFieldClicked(option, field); });
    };
    searchOption(m_ui->optSearchFName, SearchField::FirstName);
    searchOption(m_ui->optSearchLName, SearchField::LastName);
    searchOption(m_ui->optSearchCity, SearchField::City);
    searchOption(m_ui->optSearchState, SearchField::State);
    searchOption(m_ui->optSearchZip, SearchField::Zip);
    searchOption(m_ui->optSearchEmail, SearchField::Email);
    searchOption(m_ui->optSearchCat, SearchField::Category);
    connect(m_ui->optSearchAll, &QRadioButton::clicked, this, &frmViewAll::onSearchAllClicked);
    connect(m_ui->optFnameSort, &QRadioButton::clicked, this,
            [this] { onSortClicked(m_ui->optFnameSort, SortOrder::FirstName); });
    connect(m_ui->optLnameSort, &QRadioButton::clicked, this,
            [this] { onSortClicked(m_ui->optLnameSort, SortOrder::LastName); });

    connect(m_ui->cmdACGetReport, &QPushButton::clicked, this, &frmViewAll::getReport);
    connect(m_ui->cmdPrintLabels, &QPushButton::clicked, this, &frmViewAll::printLabels);
    connect(m_ui->cmdViewAllClose, &QPushButton::clicked, this, &frmViewAll::close);
    connect(m_ui->mnuPrint, &QAction::triggered, this, &frmViewAll::printReport);
    connect(m_ui->mnuVAEdit, &QMenu::aboutToShow, this, &frmViewAll::updateEditMenu);
    connect(m_ui->mnuVAEditCopy, &QAction::triggered, this, &frmViewAll::editCopy);
    connect(m_ui->mnuVAEditCut, &QAction::triggered, this, &frmViewAll::editCut);
    connect(m_ui->mnuVAEditPaste, &QAction::triggered, this, &frmViewAll::editPaste);
    connect(m_ui->mnuVAEditSelAll, &QAction::triggered, this, &frmViewAll::editSelectAll);
    connect(m_ui->mnuVAManual, &QAction::triggered, this, [this] { openUserManual(m_platform.desktop); });
    connect(m_ui->mnuVAAbout, &QAction::triggered, this, [this] { m_host.showAbout(); });
    connect(m_ui->lstAllContacts, &QListView::doubleClicked, this, &frmViewAll::openContact);
}

void frmViewAll::load()
{
    m_model->clear();
    m_ui->mnuPrint->setEnabled(false);
    setWindowTitle(QStringLiteral("All Contacts  [") + m_session.fileTitle() + QLatin1Char(']'));
    m_ui->txtViewAllHeader->setVisible(true);
    m_ui->lstAllContacts->setVisible(true);
    m_ui->cmdACGetReport->setEnabled(true);
    m_ui->lblTotContacts->clear();
    m_query = ListQuery{};
    m_ui->lblSearchDisplay->setVisible(false);
    m_ui->cmdACGetReport->setFocus();
}

void frmViewAll::startFromMenu()
{
    show();
    m_ui->frSearch->setVisible(true);
    // Selecting from code runs the click steps, as a user's click would.
    m_ui->optSearchAll->setChecked(true);
    onSearchAllClicked();
    m_ui->optFnameSort->setChecked(true);
    onSortClicked(m_ui->optFnameSort, SortOrder::FirstName);
}

void frmViewAll::onSearchFieldClicked(QRadioButton* option, SearchField field)
{
    if (option->isChecked())
        m_query.field = field;
    // Every click asks again, also on the option already chosen.
    const SearchFieldInfo* info = searchFieldInfo(field);
    m_query.text = m_platform.prompter.input(QStringLiteral("Search For: "), info->inputTitle, QString());
    m_ui->lblSearchDisplay->setText(m_query.text);
    m_ui->lblSearchDisplay->setVisible(true);
    m_ui->cmdACGetReport->setFocus();
}

void frmViewAll::onSearchAllClicked()
{
    if (m_ui->optSearchAll->isChecked())
        m_query.field = SearchField::All;
    m_ui->lblSearchDisplay->setVisible(false);
}

void frmViewAll::onSortClicked(QRadioButton* option, SortOrder order)
{
    if (option->isChecked())
        m_query.order = order;
    m_ui->cmdACGetReport->setFocus();
}

void frmViewAll::getReport()
{
    m_ui->frSearch->setVisible(false);
    m_ui->frSortOrder->setVisible(false);
    // Their holder lies over the list too; hidden, it no longer takes the list's clicks.
    m_ui->choiceArea->setVisible(false);
    m_ui->txtViewAllHeader->setVisible(true);
    QFont headerFont = m_ui->txtViewAllHeader->font();
    headerFont.setPointSize(12);
    m_ui->txtViewAllHeader->setFont(headerFont);
    m_ui->txtViewAllHeader->setText(listHeaderText);

    // A load that failed part-way left its lines for the user to see; trying again
    // starts afresh instead of listing those contacts twice.
    if (m_partialLoad)
        m_model->clear();
    std::vector<ListEntry> found;
    Status loaded;
    {
        BusyCursor busy(m_platform.prompter);
        loaded = loadList(m_session.file(), m_query, m_model->order(), found);
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

void frmViewAll::showLoadResult(int found)
{
    m_ui->lblSearchDisplay->setVisible(m_query.field != SearchField::All);
    m_ui->lblSearchDisplay->setText(m_resultLabel + QStringLiteral(" = ") + m_query.text);
    m_ui->cmdPrintLabels->setEnabled(true);
    m_ui->lblTotContacts->setText(QStringLiteral("Contacts Found = ") + QString::number(found));
    m_ui->lblTotContacts->setVisible(true);
    m_ui->mnuPrint->setEnabled(true);
    m_ui->cmdViewAllClose->setFocus();
    if (found != 0) {
        m_ui->cmdACGetReport->setEnabled(false);
        return;
    }
    m_platform.prompter.message(QStringLiteral("No contacts found."), QStringLiteral("Contact file empty."));
    m_ui->cmdViewAllClose->setFocus();
}

void frmViewAll::closeEvent(QCloseEvent* event)
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

void frmViewAll::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close this window; only Close and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quillet
