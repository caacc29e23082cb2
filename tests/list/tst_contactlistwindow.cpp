#include "ListTestData.h"
#include "editing/ContactDeletion.h"
#include "list/ContactListWindow.h"
#include "list/ListModel.h"
#include "printing/GridTranscript.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace {

PrintChoice printed(int copies, bool selectionOnly = false)
{
    PrintChoice choice;
    choice.cancelled = false;
    choice.copies = copies;
    choice.selectionOnly = selectionOnly;
    return choice;
}

} // namespace

class TestContactListWindow : public QObject, test::WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(test::writeContactsFile(m_path,
                                        {test::person("Zoe", "Adams", "New York"), test::person("al", "Brown", "YORK"),
                                         test::person("Bea", "Cole", ""), test::person("Al", "Dunn", "Leeds")}));
        resetWindowFixture();
        QVERIFY(openContacts(m_path, QStringLiteral("Friends")));
        m_window = new ContactListWindow(*m_session, *m_platform, m_host);
        m_window->startFromMenu();
        QApplication::setActiveWindow(m_window);
    }
    void cleanup()
    {
        delete m_window.data();
        m_window.clear();
    }

    void opensReadyForAQuery()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("All Contacts  [Friends]"));
        QVERIFY(child<QWidget>("frSearch")->isVisible());
        QVERIFY(child<QRadioButton>("optSearchAll")->isChecked());
        QVERIFY(child<QRadioButton>("optFnameSort")->isChecked());
        QVERIFY(!child<QPushButton>("cmdPrintLabels")->isEnabled());
        QVERIFY(!child<QAction>("mnuPrint")->isEnabled());
        QCOMPARE(m_window->focusWidget(), child<QWidget>("cmdACGetReport"));
    }

    void getReport_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("byLastName");
        QTest::addColumn<QList<int>>("records");
        QTest::addColumn<QString>("display");
        QTest::newRow("all by first name") << "optSearchAll"
                                           << "" << false << QList<int>{2, 4, 3, 1} << "";
        QTest::newRow("all by last name") << "optSearchAll"
                                          << "" << true << QList<int>{1, 2, 3, 4} << "";
        QTest::newRow("city york") << "optSearchCity"
                                   << "york" << false << QList<int>{2, 1} << "City = york";
        QTest::newRow("cancelled city search: non-blank cities") << "optSearchCity"
                                                                 << "" << false << QList<int>{2, 4, 1} << "City = ";
        QTest::newRow("nothing found") << "optSearchLName"
                                       << "zz" << false << QList<int>{} << " = zz";
    }
    void getReport()
    {
        QFETCH(QString, option);
        QFETCH(QString, answer);
        QFETCH(bool, byLastName);
        QFETCH(QList<int>, records);
        QFETCH(QString, display);
        m_scripted->prompter.inputAnswers << answer;
        child<QRadioButton>(qPrintable(option))->click();
        if (byLastName)
            child<QRadioButton>("optLnameSort")->click();
        QCOMPARE(m_window->focusWidget(), child<QWidget>("cmdACGetReport"));
        QTest::keyClick(m_window, Qt::Key_Return); // the default button
        QCOMPARE(recordsListed(), records);
        QCOMPARE(child<QLabel>("lblTotContacts")->text(), QStringLiteral("Contacts Found = %1").arg(records.size()));
        QCOMPARE(child<QLabel>("lblSearchDisplay")->isVisible(), option != QLatin1String("optSearchAll"));
        if (option != QLatin1String("optSearchAll")) {
            QCOMPARE(m_scripted->prompter.inputPrompts, QStringList{"Search For: "});
            QCOMPARE(child<QLabel>("lblSearchDisplay")->text(), display);
        }
        QVERIFY(!child<QWidget>("frSearch")->isVisible() && !child<QWidget>("frSortOrder")->isVisible());
        // Nothing of the search frames is left over the list to take its clicks.
        const QPoint listCorner = list()->viewport()->mapTo(m_window, QPoint(5, 5));
        QCOMPARE(m_window->childAt(listCorner), list()->viewport());
        QCOMPARE(child<QLineEdit>("txtViewAllHeader")->text(), listHeaderText);
        QCOMPARE(child<QLineEdit>("txtViewAllHeader")->font().pointSize(), 12);
        QVERIFY(child<QPushButton>("cmdPrintLabels")->isEnabled() && child<QAction>("mnuPrint")->isEnabled());
        QCOMPARE(m_window->focusWidget(), child<QWidget>("cmdViewAllClose"));
        // A load that found something is done; one that found nothing can be repeated.
        QCOMPARE(child<QPushButton>("cmdACGetReport")->isEnabled(), records.isEmpty());
        QCOMPARE(m_scripted->prompter.messages.size(), records.isEmpty() ? 1 : 0);
        if (records.isEmpty()) {
            QCOMPARE(m_scripted->prompter.messages[0].text, QStringLiteral("No contacts found."));
            QCOMPARE(m_scripted->prompter.messages[0].title, QStringLiteral("Contact file empty."));
        }
    }

    void getReport_readFailure_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("retry leaves the window to try again") << false;
        QTest::newRow("cancel closes it") << true;
    }
    void getReport_readFailure()
    {
        QFETCH(bool, cancel);
        m_session->file().close();
        if (cancel)
            m_scripted->prompter.messageAnswers << MessageResult::Cancel;
        loadAll();
        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        QCOMPARE(m_scripted->prompter.messages[0].title, errorBoxTitle);
        QCOMPARE(m_scripted->prompter.messages[0].buttons, MessageButtons::RetryCancel);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_window.isNull(), cancel);
        QCOMPARE(m_host.returns, cancel ? 1 : 0);
        if (cancel)
            return;
        QVERIFY(child<QPushButton>("cmdACGetReport")->isEnabled());
        // Whatever a failed load left in the list, trying again lists each contact once.
        QGuiApplication::clipboard()->setText(QStringLiteral("left over"));
        focusList();
        child<QAction>("mnuVAEditPaste")->trigger();
        QVERIFY(m_session->file().open(m_path, quillet::Creation::CreateIfMissing).ok());
        loadAll();
        QCOMPARE(recordsListed(), (QList<int>{2, 4, 3, 1}));
    }

    void searchOption_asksWithItsTitle()
    {
        m_scripted->prompter.inputAnswers << "x"
                                          << "k1a";
        child<QRadioButton>("optSearchCat")->click();
        child<QRadioButton>("optSearchZip")->click();
        QCOMPARE(m_scripted->prompter.inputTitles, (QStringList{"Category Search", "Zip code Search"}));
        QCOMPARE(child<QLabel>("lblSearchDisplay")->text(), QStringLiteral("k1a"));
    }

    void close_returnsToMainWindow()
    {
        child<QPushButton>("cmdViewAllClose")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
        QCOMPARE(m_host.returns, 1);
        QVERIFY(m_host.openedRecords.isEmpty());
    }

    void doubleClick_opensTheContactAndClosesTheList()
    {
        loadAll();
        doubleClickRow(rowOfRecord(3));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
        QCOMPARE(m_session->currentRecord(), 3);
        QCOMPARE(m_host.openedRecords, QList<int>{3});
        QCOMPARE(m_host.returns, 0);
        QVERIFY(m_session->file().isOpen());
    }

    // Another program deleted record 2: the lines' record numbers are stale, so the
    // list is filled again and nothing opens until the user chooses again.
    void doubleClick_afterAnOutsideDeletion_refillsFirst()
    {
        loadAll();
        ContactsFile other;
        QVERIFY(other.open(m_path).ok());
        QVERIFY(deleteRecord(other, 2).ok());
        doubleClickRow(rowOfRecord(3)); // was Bea Cole, now record 2
        QVERIFY(m_host.openedRecords.isEmpty());
        QCOMPARE(model()->rowCount(), 3);
        doubleClickRow(rowOfRecord(2));
        QCOMPARE(m_host.openedRecords, QList<int>{2});
        QCOMPARE(m_session->file().read(2).trimmed(Field::LastName), QStringLiteral("Cole"));
    }

    // The file moved away: reported, no file made at the old path, no file open.
    void doubleClick_afterTheFileMovedAway()
    {
        loadAll();
        QVERIFY(QFile::rename(m_path, m_path + QStringLiteral(".moved")));
        doubleClickRow(rowOfRecord(3));
        QVERIFY(m_host.openedRecords.isEmpty());
        QCOMPARE(
            m_scripted->prompter.messages.last().text,
            QStringLiteral("An error has occurred. Error number 53 -- File not found.  Try again, or notify author."));
        QVERIFY(!m_session->hasFile());
        QVERIFY(!QFile::exists(m_path));
    }

    void doubleClick_pastedLine_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("retry keeps the window") << false;
        QTest::newRow("cancel closes it") << true;
    }
    void doubleClick_pastedLine()
    {
        QFETCH(bool, cancel);
        loadAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        focusList();
        child<QAction>("mnuVAEditPaste")->trigger();
        if (cancel)
            m_scripted->prompter.messageAnswers << MessageResult::Cancel;
        doubleClickRow(rowOfRecord(0));
        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        QCOMPARE(m_scripted->prompter.messages[0].text,
                 QStringLiteral("An error has occurred. Error number 63 -- Bad record number.  Try again, or notify "
                                "author."));
        QCOMPARE(m_scripted->prompter.messages[0].buttons, MessageButtons::RetryCancel);
        QCOMPARE(m_session->currentRecord(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_window.isNull(), cancel);
        QCOMPARE(m_host.returns, cancel ? 1 : 0);
        if (!cancel)
            QCOMPARE(model()->rowCount(), 5);
    }

    void copyCutPaste()
    {
        loadAll();
        const QStringList lines = model()->lines();
        focusList();
        select({0, 2});
        child<QAction>("mnuVAEditCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\r\n") + lines[0] + "\r\n" + lines[2]);
        child<QAction>("mnuVAEditPaste")->trigger();
        // The pasted pieces join the list in its order, the empty one first.
        QCOMPARE(model()->lines(),
                 (QStringList{QString(), lines[0], lines[0], lines[1], lines[2], lines[2], lines[3]}));
        QCOMPARE(model()->entry(0).recordNumber, 0);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        select({0, 3, 6});
        child<QAction>("mnuVAEditCut")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\r\n\r\n") + lines[1] + "\r\n" + lines[3]);
        QCOMPARE(model()->lines(), (QStringList{lines[0], lines[0], lines[2], lines[2]}));
        file.seek(0);
        QCOMPARE(file.readAll(), before);
    }

    void copyWithNothingSelected_emptiesClipboard()
    {
        loadAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        focusList();
        child<QAction>("mnuVAEditCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    void editMenuEnabling_data()
    {
        QTest::addColumn<bool>("onHeader");
        QTest::addColumn<bool>("headerSelection");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("header, nothing selected") << true << false << false;
        QTest::newRow("header, text selected") << true << true << true;
        QTest::newRow("list, nothing selected") << false << false << true;
    }
    void editMenuEnabling()
    {
        QFETCH(bool, onHeader);
        QFETCH(bool, headerSelection);
        QFETCH(bool, enabled);
        loadAll();
        auto* header = child<QLineEdit>("txtViewAllHeader");
        if (headerSelection)
            header->setSelection(0, 4);
        onHeader ? header->setFocus() : focusList();
        emit child<QMenu>("mnuVAEdit")->aboutToShow();
        QCOMPARE(child<QAction>("mnuVAEditCut")->isEnabled(), enabled);
        QCOMPARE(child<QAction>("mnuVAEditCopy")->isEnabled(), enabled);
        QVERIFY(child<QAction>("mnuVAEditPaste")->isEnabled() && child<QAction>("mnuVAEditSelAll")->isEnabled());
    }

    void selectAll_fromAButtonSelectsEveryLine()
    {
        loadAll();
        child<QPushButton>("cmdViewAllClose")->setFocus();
        child<QAction>("mnuVAEditSelAll")->trigger();
        QCOMPARE(list()->selectionModel()->selectedRows().size(), 4);
    }

    void printLabels_data()
    {
        QTest::addColumn<bool>("cutAll");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("message");
        QTest::newRow("two copies, two jobs") << false << false << 2 << 2 << "";
        QTest::newRow("cancelled") << false << false << 0 << 0 << "";
        QTest::newRow("every line cut") << true << false << 1 << 0 << "Empty list, no labels to print.";
        QTest::newRow("pasted line") << false << true << 1 << 0 << printerProblemText;
    }
    void printLabels()
    {
        QFETCH(bool, cutAll);
        QFETCH(bool, paste);
        QFETCH(int, copies);
        QFETCH(int, jobs);
        QFETCH(QString, message);
        loadAll();
        focusList();
        if (cutAll) {
            child<QAction>("mnuVAEditSelAll")->trigger();
            child<QAction>("mnuVAEditCut")->trigger();
        }
        if (paste) {
            QGuiApplication::clipboard()->setText(QStringLiteral("x"));
            focusList();
            child<QAction>("mnuVAEditPaste")->trigger();
        }
        m_scripted->printDialog.answers << (copies ? printed(copies) : PrintChoice{});
        child<QPushButton>("cmdPrintLabels")->click();
        QCOMPARE(m_scripted->printDialog.requests.size(), cutAll ? 0 : 1);
        QCOMPARE(m_scripted->printTarget.jobs.size(), jobs);
        QCOMPARE(m_scripted->prompter.messages.isEmpty() ? QString() : m_scripted->prompter.messages.last().text,
                 message);
        if (jobs == 2)
            QCOMPARE(gridTranscript(m_scripted->printTarget.jobs[1].document),
                     gridTranscript(m_scripted->printTarget.jobs[0].document));
    }

    // The start position is asked on the chosen sheet before the print dialog; the
    // preview shows what Print sends.
    void printLabels_startPosition_data()
    {
        QTest::addColumn<std::optional<int>>("start");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("label 5") << std::optional<int>(5) << 1;
        QTest::newRow("cancelled") << std::optional<int>() << 0;
    }
    void printLabels_startPosition()
    {
        QFETCH(std::optional<int>, start);
        QFETCH(int, dialogs);
        loadAll();
        m_scripted->labelDialogs.startAnswers << start << start;
        child<QPushButton>("cmdPrintLabels")->click();
        child<QAction>("mnuVALabelsPreview")->trigger();
        QCOMPARE(m_scripted->labelDialogs.startRequests,
                 QStringList(2, QStringLiteral("Quillet 30 labels (Avery 5160/8160 compatible)")));
        QCOMPARE(m_scripted->printDialog.requests.size(), dialogs);
        QCOMPARE(m_scripted->printTarget.jobs.size(), dialogs);
        QCOMPARE(m_scripted->labelDialogs.previews.size(), dialogs);
        if (dialogs == 0)
            return;
        const QString transcript = gridTranscript(m_scripted->printTarget.jobs[0].document);
        QCOMPARE(transcript.section('\n', 12, 12), QStringLiteral("12 10 |") + QString(34, ' ') +
                                                       QStringLiteral("al Brown") + QString(24, ' ') +
                                                       QStringLiteral("Al Dunn"));
        QCOMPARE(gridTranscript(m_scripted->labelDialogs.previews[0]), transcript);
    }

    void report_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("selectionOnly");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("firstPage");
        QTest::newRow("whole report, two copies") << QList<int>{} << false << 2 << "page 1 landscape";
        QTest::newRow("selection once whatever the copies") << QList<int>{1, 3} << true << 1 << "page 1 portrait";
    }
    void report()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, selectionOnly);
        QFETCH(int, jobs);
        QFETCH(QString, firstPage);
        loadAll();
        focusList();
        select(selected);
        m_scripted->printDialog.answers << printed(2, selectionOnly);
        child<QAction>("mnuPrint")->trigger();
        const PrintDialogRequest request = m_scripted->printDialog.requests.value(0);
        QCOMPARE(request.allowSelection, !selected.isEmpty());
        QCOMPARE(request.fromPage, 1);
        QCOMPARE(request.toPage, 1);
        QCOMPARE(m_scripted->printTarget.jobs.size(), jobs);
        const QStringList pages = gridTranscript(m_scripted->printTarget.jobs[0].document).split('\n');
        QCOMPARE(pages[0], firstPage);
        if (selectionOnly)
            QCOMPARE(pages.filter(QStringLiteral("\t")), QStringList({pages[3], pages[4]}));
    }

private:
    template <typename T = QWidget> T* child(const char* name) { return test::child<T>(*m_window, name); }
    QListView* list() { return child<QListView>("lstAllContacts"); }
    ListModel* model() { return qobject_cast<ListModel*>(list()->model()); }
    void loadAll() { child<QPushButton>("cmdACGetReport")->click(); }
    void focusList() { list()->setFocus(); }
    QList<int> recordsListed()
    {
        QList<int> numbers;
        for (const ListEntry& entry : model()->entries())
            numbers << entry.recordNumber;
        return numbers;
    }
    int rowOfRecord(int number) { return recordsListed().indexOf(number); }
    void select(const QList<int>& rows)
    {
        list()->clearSelection();
        for (int row : rows)
            list()->selectionModel()->select(model()->index(row), QItemSelectionModel::Select);
    }
    void doubleClickRow(int row)
    {
        const QPoint centre = list()->visualRect(model()->index(row)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centre);
    }

    QTemporaryDir m_dir;
    QString m_path;
    QPointer<ContactListWindow> m_window;
};

QTEST_MAIN(TestContactListWindow)
#include "tst_contactlistwindow.moc"
