#include "ListTestData.h"
#include "core/editing/ContactDeletion.h"
#include "core/list/ListClipboard.h"
#include "core/list/ListModel.h"
#include "core/printing/GridTranscript.h"
#include "gui/editing/ContactWindow.h"
#include "gui/list/ContactListWindow.h"
#include "gui/session/Session.h"
#include "gui/session/WindowHost.h"
#include "support/ScriptedPlatform.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeView>
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

class TestFrmViewAll : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QVERIFY(m_dir.isValid());
        // Widths an earlier run kept would stand in for the first ones.
        QSettings().remove(QStringLiteral("Settings/ListColumns"));
        m_path = QDir(m_dir.path()).filePath(QStringLiteral("Friends.DAT"));
        QVERIFY(test::writeContactsFile(m_path,
                                        {test::person("Zoe", "Adams", "New York"), test::person("al", "Brown", "YORK"),
                                         test::person("Bea", "Cole", ""), test::person("Al", "Dunn", "Leeds")}));
        m_session = std::make_unique<Session>();
        QVERIFY(m_session->file().open(m_path, quillet::Creation::CreateIfMissing).ok());
        m_session->setOpenFile(m_path, QStringLiteral("Friends"));
        m_platform = std::make_unique<ScriptedPlatform>();
        m_platformBundle = std::make_unique<Platform>(m_platform->platform());
        m_host = test::FakeWindowHost{};
        m_host.session = m_session.get();
        m_host.platform = m_platformBundle.get();
        m_window = new ContactListWindow(*m_session, *m_platformBundle, m_host);
        m_window->startFromMenu();
        QApplication::setActiveWindow(m_window);
    }
    void cleanup()
    {
        delete m_window.data();
        m_window.clear();
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
        // The boxes lie below the list's header, which stays readable.
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        const QWidget* header = list()->header();
        for (const char* box : {"frSearch", "frSortOrder"}) {
            const QRect onList(child<QWidget>(box)->mapTo(list(), QPoint(0, 0)), child<QWidget>(box)->size());
            QVERIFY2(onList.top() >= header->mapTo(list(), QPoint(0, header->height())).y(), box);
            QVERIFY2(list()->rect().contains(onList), box);
        }
    }

    // A ZIP+4 code and a phone number show whole in their columns as they first open.
    void columnsShowWholeCodes()
    {
        ContactRecord wide = test::person("Cy", "Eng", "Springfield");
        wide.set(Field::Zip, QStringLiteral("62701-1234"));
        wide.set(Field::HomePhone, QStringLiteral("(217) 555-0199"));
        QVERIFY(m_session->file().append(wide).ok());
        loadAll();
        const QModelIndex row = model()->index(rowOfRecord(5), 0);
        const int margins = 2 * (list()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list()) + 1);
        for (const int column : {3, 4}) {
            const QString text = model()->index(row.row(), column).data().toString();
            QVERIFY2(list()->fontMetrics().horizontalAdvance(text) + margins <= list()->columnWidth(column),
                     qPrintable(text));
        }
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
        m_platform->prompter.inputAnswers << answer;
        child<QRadioButton>(option)->click();
        if (byLastName)
            child<QRadioButton>("optLnameSort")->click();
        QCOMPARE(m_window->focusWidget(), child<QWidget>("cmdACGetReport"));
        QTest::keyClick(m_window, Qt::Key_Return); // the default button
        QCOMPARE(recordsListed(), records);
        QCOMPARE(child<QLabel>("lblTotContacts")->text(), QStringLiteral("Contacts Found = %1").arg(records.size()));
        QCOMPARE(child<QLabel>("lblSearchDisplay")->isVisible(), option != QLatin1String("optSearchAll"));
        if (option != QLatin1String("optSearchAll")) {
            QCOMPARE(m_platform->prompter.inputPrompts, QStringList{"Search For: "});
            QCOMPARE(child<QLabel>("lblSearchDisplay")->text(), display);
        }
        QVERIFY(!child<QWidget>("frSearch")->isVisible() && !child<QWidget>("frSortOrder")->isVisible());
        // Nothing of the search frames is left over the list to take its clicks.
        const QPoint listCorner = list()->viewport()->mapTo(m_window, QPoint(5, 5));
        QCOMPARE(m_window->childAt(listCorner), list()->viewport());
        QVERIFY(child<QPushButton>("cmdPrintLabels")->isEnabled() && child<QAction>("mnuPrint")->isEnabled());
        QCOMPARE(m_window->focusWidget(), child<QWidget>("cmdViewAllClose"));
        // A load that found something is done; one that found nothing can be repeated.
        QCOMPARE(child<QPushButton>("cmdACGetReport")->isEnabled(), records.isEmpty());
        QCOMPARE(m_platform->prompter.messages.size(), records.isEmpty() ? 1 : 0);
        if (records.isEmpty()) {
            QCOMPARE(m_platform->prompter.messages[0].text, QStringLiteral("No contacts found."));
            QCOMPARE(m_platform->prompter.messages[0].title, QStringLiteral("Contact file empty."));
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
            m_platform->prompter.messageAnswers << MessageResult::Cancel;
        loadAll();
        QCOMPARE(m_platform->prompter.messages.size(), 1);
        QCOMPARE(m_platform->prompter.messages[0].title, errorBoxTitle);
        QCOMPARE(m_platform->prompter.messages[0].buttons, MessageButtons::RetryCancel);
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
        m_platform->prompter.inputAnswers << "x"
                                          << "k1a";
        child<QRadioButton>("optSearchCat")->click();
        child<QRadioButton>("optSearchZip")->click();
        QCOMPARE(m_platform->prompter.inputTitles, (QStringList{"Category Search", "Zip code Search"}));
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

    // The contact opens over the list, which keeps its lines and comes back on closing.
    void enterOrDoubleClick_opensTheContactKeepingTheList_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("double click") << false;
        QTest::newRow("enter") << true;
    }
    void enterOrDoubleClick_opensTheContactKeepingTheList()
    {
        QFETCH(bool, byEnter);
        loadAll();
        if (byEnter) {
            list()->setCurrentIndex(model()->index(rowOfRecord(3), 0));
            QTest::keyClick(list(), Qt::Key_Return);
        } else {
            doubleClickRow(rowOfRecord(3));
        }
        QPointer<ContactWindow> contact = shownContactWindow();
        QVERIFY(contact);
        QCOMPARE(m_session->currentRecord(), 3);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(contact->findChild<QLineEdit*>("txtACFName")->text(), QStringLiteral("Bea"));
        // Its find box names the contact shown.
        QCOMPARE(contact->findChild<QComboBox*>("cboFindContact")->currentText(), QStringLiteral("Bea  Cole"));
        QVERIFY(contact->close());
        QVERIFY(m_window->isVisible());
        QCOMPARE(recordsListed(), (QList<int>{2, 4, 3, 1}));
        QCOMPARE(m_host.returns, 0);
        // Closing the list afterwards brings back the main window and nothing else.
        QVERIFY(m_window->close());
        QCOMPARE(m_host.returns, 1);
        QVERIFY(m_host.openedRecords.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(contact.isNull());
    }

    // After a save or delete in the opened contact the search runs again.
    void savedOrDeletedContact_rerunsTheSearch()
    {
        loadAll();
        doubleClickRow(rowOfRecord(2));
        ContactWindow* contact = shownContactWindow();
        QVERIFY(contact);
        auto* first = contact->findChild<QLineEdit*>("txtACFName");
        first->setText(QStringLiteral("Cy"));
        contact->findChild<QPushButton*>("cmdSave")->click();
        QCOMPARE(recordsListed(), (QList<int>{4, 3, 2, 1}));
        QCOMPARE(selectedRecords(), QList<int>{2});
        m_platform->prompter.messageAnswers << MessageResult::Yes;
        contact->findChild<QPushButton*>("cmdDelete")->click();
        // Record 2 is gone, 3 and 4 moved down, and the selection stays on its row.
        QCOMPARE(recordsListed(), (QList<int>{3, 2, 1}));
        QCOMPARE(selectedRecords(), QList<int>{1});
        QCOMPARE(child<QLabel>("lblTotContacts")->text(), QStringLiteral("Contacts Found = 3"));
        QTRY_VERIFY(m_window->isVisible());
    }

    void headerClickSorts_andPrintingFollows()
    {
        QVERIFY(m_session->file()
                    .append(test::contact({{Field::FirstName, "Ed"},
                                           {Field::LastName, "Long"},
                                           {Field::City, "Bath"},
                                           {Field::Zip, "12345-6789"},
                                           {Field::HomePhone, "555-0100"}}))
                    .ok());
        loadAll();
        QHeaderView* header = list()->header();
        QCOMPARE(header->count(), 7);
        QCOMPARE(model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Email Address"));
        // A ZIP+4 stays in its column and the phone after it in Home.
        QCOMPARE(model()->index(rowOfRecord(5), 3).data().toString(), QStringLiteral("12345-6789"));
        QCOMPARE(model()->index(rowOfRecord(5), 4).data().toString(), QStringLiteral("555-0100"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(recordsListed(), (QList<int>{3, 5, 4, 1, 2}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(recordsListed(), (QList<int>{2, 1, 4, 5, 3}));
        focusList();
        select({0, 1});
        child<QAction>("mnuVAEditCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardTextFor(model()->lines({0, 1})));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("\r\nal Brown")));
        m_platform->printDialog.answers << printed(1);
        child<QPushButton>("cmdPrintLabels")->click();
        const QString labels = gridTranscript(m_platform->printTarget.jobs[0].document);
        QVERIFY(labels.indexOf("Brown") >= 0 && labels.indexOf("Brown") < labels.indexOf("Cole"));
    }

    void pastedLineShowsWholeInName()
    {
        loadAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("a\tb"));
        focusList();
        child<QAction>("mnuVAEditPaste")->trigger();
        QCOMPARE(model()->index(rowOfRecord(0), 0).data().toString(), QStringLiteral("a\tb"));
        QCOMPARE(model()->index(rowOfRecord(0), 1).data().toString(), QString());
    }

    void escapeClosesTheWindow()
    {
        QTest::keyClick(m_window, Qt::Key_Escape);
        QCOMPARE(m_host.returns, 1);
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
        QVERIFY(!shownContactWindow());
        QCOMPARE(model()->rowCount(), 3);
        doubleClickRow(rowOfRecord(2));
        QVERIFY(shownContactWindow());
        QCOMPARE(m_session->currentRecord(), 2);
        QCOMPARE(m_session->file().read(2)->trimmed(Field::LastName), QStringLiteral("Cole"));
    }

    // The file moved away: reported, no file made at the old path, no file open.
    void doubleClick_afterTheFileMovedAway()
    {
        loadAll();
        QVERIFY(QFile::rename(m_path, m_path + QStringLiteral(".moved")));
        doubleClickRow(rowOfRecord(3));
        QVERIFY(!shownContactWindow());
        QCOMPARE(
            m_platform->prompter.messages.last().text,
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
            m_platform->prompter.messageAnswers << MessageResult::Cancel;
        doubleClickRow(rowOfRecord(0));
        QCOMPARE(m_platform->prompter.messages.size(), 1);
        QCOMPARE(m_platform->prompter.messages[0].text,
                 QStringLiteral("An error has occurred. Error number 63 -- Bad record number.  Try again, or notify "
                                "author."));
        QCOMPARE(m_platform->prompter.messages[0].buttons, MessageButtons::RetryCancel);
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
        QCOMPARE(model()->rowCount(), 7);
        QCOMPARE(model()->entry(0).text, QString()); // the piece before the first CR LF
        QCOMPARE(model()->entry(0).recordNumber, 0);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        select({0, 3, 6});
        const QStringList cut = model()->lines({0, 3, 6});
        child<QAction>("mnuVAEditCut")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardTextFor(cut));
        QStringList remaining = lines + QStringList{lines[0], lines[2]};
        for (const QString& line : cut)
            remaining.removeOne(line);
        std::sort(remaining.begin(), remaining.end(),
                  [this](auto& a, auto& b) { return model()->order().lessThan(a, b); });
        QCOMPARE(model()->lines(), remaining);
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
        m_platform->printDialog.answers << (copies ? printed(copies) : PrintChoice{});
        child<QPushButton>("cmdPrintLabels")->click();
        QCOMPARE(m_platform->printDialog.requests.size(), cutAll ? 0 : 1);
        QCOMPARE(m_platform->printTarget.jobs.size(), jobs);
        QCOMPARE(m_platform->prompter.messages.isEmpty() ? QString() : m_platform->prompter.messages.last().text,
                 message);
        if (jobs == 2) {
            QCOMPARE(gridTranscript(m_platform->printTarget.jobs[1].document),
                     gridTranscript(m_platform->printTarget.jobs[0].document));
            QCOMPARE(m_platform->printTarget.jobs[1].job.documentName, QStringLiteral("Labels – Friends (4 contacts)"));
        }
    }

    // A street longer than its label is said before the labels print, which then
    // print as they are, fitted to the labels, or not at all.
    void printLabels_longLines_data()
    {
        QTest::addColumn<MessageResult>("answer");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<bool>("fitted");
        QTest::newRow("print anyway") << MessageResult::PrintAnyway << 1 << false;
        QTest::newRow("fit to labels") << MessageResult::FitToLabels << 1 << true;
        QTest::newRow("cancel") << MessageResult::Cancel << 0 << false;
    }
    void printLabels_longLines()
    {
        QFETCH(MessageResult, answer);
        QFETCH(int, jobs);
        QFETCH(bool, fitted);
        QVERIFY(m_session->file().writeField(2, Field::Street1, QString(30, u's')).ok());
        loadAll();
        m_platform->prompter.messageAnswers << answer;
        child<QPushButton>("cmdPrintLabels")->click();
        QCOMPARE(m_platform->prompter.messages.size(), 1);
        QCOMPARE(m_platform->prompter.messages[0].text,
                 QStringLiteral("1 label has lines longer than the label (first: al Brown). "
                                "They will run into the next label."));
        QCOMPARE(m_platform->prompter.messages[0].buttons, MessageButtons::PrintAnywayFitCancel);
        QCOMPARE(m_platform->printTarget.jobs.size(), jobs);
        if (jobs)
            QCOMPARE(gridTranscript(m_platform->printTarget.jobs[0].document).contains(QStringLiteral("\nat ")),
                     fitted);
    }

    // The labels are read again as they print: another program's change to a listed
    // contact after they were checked (here while the long-lines question shows)
    // fails the job with that message, and nothing is printed.
    void printLabels_contactChangedBeforePrinting()
    {
        QVERIFY(m_session->file().writeField(2, Field::Street1, QString(30, u's')).ok());
        loadAll();
        m_platform->prompter.messageAnswers << MessageResult::PrintAnyway;
        m_platform->prompter.onMessage = [this](const ShownMessage&) {
            ContactsFile other;
            QVERIFY(other.open(m_session->file().path()).ok());
            QVERIFY(other.writeField(3, Field::City, QStringLiteral("Changed")).ok());
        };
        child<QPushButton>("cmdPrintLabels")->click();
        QCOMPARE(m_platform->printTarget.jobs.size(), 0);
        QCOMPARE(m_platform->prompter.messages.size(), 2);
        QCOMPARE(m_platform->prompter.messages[1].text, fileChangedText);
        QCOMPARE(m_platform->prompter.messages[1].title, QStringLiteral("Print labels"));
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
        m_platform->labelDialogs.startAnswers << start << start;
        child<QPushButton>("cmdPrintLabels")->click();
        child<QAction>("mnuVALabelsPreview")->trigger();
        QCOMPARE(m_platform->labelDialogs.startRequests,
                 QStringList(2, QStringLiteral("Quillet 30 labels (Avery 5160/8160 compatible)")));
        QCOMPARE(m_platform->printDialog.requests.size(), dialogs);
        QCOMPARE(m_platform->printTarget.jobs.size(), dialogs);
        QCOMPARE(m_platform->labelDialogs.previews.size(), dialogs);
        if (dialogs == 0)
            return;
        const QString transcript = gridTranscript(m_platform->printTarget.jobs[0].document);
        QCOMPARE(transcript.section('\n', 12, 12), QStringLiteral("12 10 |") + QString(34, ' ') +
                                                       QStringLiteral("al Brown") + QString(24, ' ') +
                                                       QStringLiteral("Al Dunn"));
        QCOMPARE(gridTranscript(m_platform->labelDialogs.previews[0]), transcript);
    }

    void report_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("selectionOnly");
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("firstPage");
        QTest::addColumn<QString>("title");
        QTest::newRow("whole report, two copies") << QList<int>{} << false << 2 << "page 1 landscape"
                                                  << "Report – Friends (4 contacts)";
        QTest::newRow("selection once whatever the copies") << QList<int>{1, 3} << true << 1 << "page 1 portrait"
                                                            << "Report – Friends (2 contacts)";
    }
    void report()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, selectionOnly);
        QFETCH(int, jobs);
        QFETCH(QString, firstPage);
        QFETCH(QString, title);
        loadAll();
        focusList();
        select(selected);
        m_platform->printDialog.answers << printed(2, selectionOnly);
        child<QAction>("mnuPrint")->trigger();
        const PrintDialogRequest request = m_platform->printDialog.requests.value(0);
        QCOMPARE(request.allowSelection, !selected.isEmpty());
        QCOMPARE(request.fromPage, 1);
        QCOMPARE(request.toPage, 1);
        QCOMPARE(m_platform->printTarget.jobs.size(), jobs);
        const QStringList pages = gridTranscript(m_platform->printTarget.jobs[0].document).split('\n');
        QCOMPARE(pages[0], firstPage);
        QCOMPARE(m_platform->printTarget.jobs[0].job.documentName, title);
        if (selectionOnly)
            QCOMPARE(pages.filter(QStringLiteral("\t")), QStringList({pages[3], pages[4]}));
    }

private:
    template <typename T> T* child(const QString& name)
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    QTreeView* list() { return child<QTreeView>("lstAllContacts"); }
    ContactWindow* shownContactWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* contact = qobject_cast<ContactWindow*>(window); contact && contact->isVisible())
                return contact;
        }
        return nullptr;
    }
    QList<int> selectedRecords()
    {
        QList<int> numbers;
        for (const QModelIndex& index : list()->selectionModel()->selectedRows())
            numbers << model()->entry(index.row()).recordNumber;
        return numbers;
    }
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
            list()->selectionModel()->select(model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void doubleClickRow(int row)
    {
        const QPoint centre = list()->visualRect(model()->index(row, 0)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, centre);
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<Platform> m_platformBundle;
    test::FakeWindowHost m_host;
    QPointer<ContactListWindow> m_window;
};

QTEST_MAIN(TestFrmViewAll)
#include "tst_contactlistwindow.moc"
