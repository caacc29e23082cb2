#include "app/WindowWiring.h"
#include "core/contacts/ContactsFile.h"
#include "gui/exchange/ExportWindow.h"
#include "gui/exchange/ImportWindow.h"
#include "gui/main/MainWindow.h"
#include "support/WindowFixture.h"

#include "ExchangeTestFiles.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

using test::child;

class TestExchangeWindows : public QObject, test::WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    void openContacts(const QString& name)
    {
        QVERIFY(WindowFixture::openContacts(m_dir.filePath(name), name));
        m_session->setReminderSwitch(reminders::Switch::On);
    }

private slots:
    void initTestCase()
    {
        qputenv("QUILLET_HOME", m_dir.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { resetWindowFixture(); }
    void cleanup()
    {
        QApplication::closeAllWindows();
        m_session.reset();
    }

    void importWindow_endToEnd()
    {
        openContacts("Club.DAT");
        ImportWindow window(*m_session, *m_platform, m_host);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Import Contacts  [Club.DAT]"));
        QVERIFY(!child<QPushButton>(window, "cmdStartImport")->isEnabled());
        QVERIFY(!child<QLineEdit>(window, "txtImpFilename")->isVisible());
        QVERIFY(child<QLabel>(window, "lblImpHdr")
                    ->text()
                    .startsWith("First, download contacts (as a CSV, vCard or LDIF file)"));

        // Cancelled with nothing picked before: nothing changes.
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(window, "cmdStartImport")->isEnabled());
        QVERIFY(!child<QLineEdit>(window, "txtImpFilename")->isVisible());

        m_scripted->fileDialogs.answers.enqueue({test::dataPath("import/quillet.csv"), "quillet.csv"});
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QCOMPARE(m_scripted->fileDialogs.requests.last().title, QStringLiteral("Open"));
        QCOMPARE(m_scripted->fileDialogs.requests.last().filter,
                 QStringLiteral("Contacts Files (*.CSV;*.TXT;*.VCF;*.VCARD;*.LDIF)|*.CSV;*.TXT;*.VCF;*.VCARD;*.LDIF|"
                                "CSV Files (*.CSV)|*.CSV|Text Files (*.TXT)|*.TXT|vCard Files (*.VCF;*.VCARD)|"
                                "*.VCF;*.VCARD|LDIF Files (*.LDIF)|*.LDIF|All Files (*.*)|*.*"));
        auto* name = child<QLineEdit>(window, "txtImpFilename");
        QVERIFY(name->isVisible());
        QCOMPARE(name->text(), QStringLiteral("quillet.csv"));
        // What the import would do, before it does it.
        QCOMPARE(child<QLabel>(window, "lblImpSummary")->text(),
                 QStringLiteral("Recognised layout 4: Quillet CSV export\n4 new, 0 already on file, 0 without a "
                                "name.\n1 first name shortened; 1 city not usable left empty; 2 states longer than "
                                "2 letters left empty; 1 state not usable left empty; 2 ZIP codes not usable left "
                                "empty; 2 countries not usable left empty; 2 phone numbers not usable left empty; 1 "
                                "birthdate not usable left empty."));

        auto* start = child<QPushButton>(window, "cmdStartImport");
        QVERIFY(start->isEnabled());
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.size(), 1);
        const ShownMessage done = m_scripted->prompter.messages.last();
        QCOMPARE(done.text.section(u'\n', 0, 0), QStringLiteral("D O N E !  4 contacts successfully imported."));
        QVERIFY(done.text.section(u'\n', 1).startsWith("1 first name shortened; 1 city not usable left empty;"));
        QCOMPARE(done.title, QStringLiteral("Import completed"));
        QCOMPARE(done.icon, MessageIcon::None);
        QCOMPARE(m_session->file().count(), 4);
        QCOMPARE(m_session->file().read(4)->value(Field::ReminderFlag), QStringLiteral("1"));
        QVERIFY(!start->isEnabled());
        QVERIFY(!m_scripted->prompter.busy);

        // Cancelled after a pick: the last pick is taken again and Import is back.
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QVERIFY(start->isEnabled());
        QCOMPARE(name->text(), QStringLiteral("quillet.csv"));

        // The Edit menu follows the focused text box's selection.
        name->setFocus();
        name->selectAll();
        emit child<QMenu>(window, "mnuITEdit")->aboutToShow();
        QVERIFY(child<QAction>(window, "mnuITEditCopy")->isEnabled());
        child<QAction>(window, "mnuITEditCut")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("quillet.csv"));
        QCOMPARE(name->text(), QString());
        emit child<QMenu>(window, "mnuITEdit")->aboutToShow();
        QVERIFY(!child<QAction>(window, "mnuITEditCut")->isEnabled());
        child<QAction>(window, "mnuITEditPaste")->trigger();
        QCOMPARE(name->text(), QStringLiteral("quillet.csv"));
        // Here, unlike the other windows, a control without text leaves Cut and Copy enabled.
        child<QPushButton>(window, "cmdImpCancel")->setFocus();
        emit child<QMenu>(window, "mnuITEdit")->aboutToShow();
        QVERIFY(child<QAction>(window, "mnuITEditCut")->isEnabled());

        QCOMPARE(child<QAction>(window, "mnuITHelpAbout")->text(), QStringLiteral("About Quillet Software"));

        QTest::mouseClick(child<QPushButton>(window, "cmdImpCancel"), Qt::LeftButton);
        QCOMPARE(m_host.returns, 1);
        QVERIFY(!window.isVisible());
    }

    // A picture is said not to be a contacts file, and cannot be imported.
    void importWindow_binaryFile()
    {
        openContacts("Pic.DAT");
        const QString png = test::writeFile(
            m_dir.filePath("pic.png"), QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000001000000010806"));
        ImportWindow window(*m_session, *m_platform, m_host);
        window.show();
        m_scripted->fileDialogs.answers.enqueue({png, "pic.png"});
        m_scripted->prompter.messageAnswers.enqueue(MessageResult::Retry);
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().text,
                 QStringLiteral("This file is not a contacts file: it is not text."));
        QVERIFY(!child<QPushButton>(window, "cmdStartImport")->isEnabled());
    }

    // A failure shows the error box; Cancel closes the window. (A short line no
    // longer fails: such a file is matched by name; here the file goes away.)
    void importWindow_failureAndCancel()
    {
        openContacts("Fail.DAT");
        const QString csv = test::writeFile(m_dir.filePath("short.csv"),
                                            "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,"
                                            "Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n"
                                            "A,,B,,,,,,,,,,,,,\r\n");
        ImportWindow window(*m_session, *m_platform, m_host);
        window.show();
        m_scripted->fileDialogs.answers.enqueue({csv, "short.csv"});
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QVERIFY(QFile::remove(csv));
        m_scripted->prompter.messageAnswers.enqueue(MessageResult::Cancel);
        QTest::mouseClick(child<QPushButton>(window, "cmdStartImport"), Qt::LeftButton);
        const ShownMessage box = m_scripted->prompter.messages.last();
        QCOMPARE(box.text, QStringLiteral("An error has occurred. Error number 53 -- File not found.  "
                                          "Try again, or notify Quillet."));
        QCOMPARE(box.buttons, MessageButtons::RetryCancel);
        // The same box as every other window's: no icon.
        QCOMPARE(box.icon, MessageIcon::None);
        QCOMPARE(m_session->file().count(), 0);
        QCOMPARE(m_host.returns, 1);
        QVERIFY(!window.isVisible());
    }

    // A file matched by name is previewed; Import waits for a name or e-mail column,
    // and the choice is remembered for the next file with the same header.
    void importWindow_mappingPreview()
    {
        openContacts("Preview.DAT");
        // What an earlier test remembered.
        QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet")).remove(QStringLiteral("ImportMappings"));
        const QString csv = test::writeFile(m_dir.filePath("people.csv"), "Surname,Phone\r\nNguyễn,555-0100\r\n");
        ImportWindow window(*m_session, *m_platform, m_host);
        window.show();
        m_scripted->fileDialogs.answers.enqueue({csv, "people.csv"});
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        auto* columns = child<QTableWidget>(window, "mappingTable");
        auto* contacts = child<QTableWidget>(window, "previewTable");
        QVERIFY(columns->isVisible());
        QCOMPARE(columns->item(1, 1)->text(), QStringLiteral("555-0100"));
        auto* surname = child<QComboBox>(window, "fieldCombo0");
        auto* phone = child<QComboBox>(window, "fieldCombo1");
        QCOMPARE(surname->currentText(), QStringLiteral("(ignore)"));
        QCOMPARE(phone->currentText(), QStringLiteral("(ignore)")); // nothing prefilled without a name
        auto* start = child<QPushButton>(window, "cmdStartImport");
        auto* note = child<QLabel>(window, "lblImpNote");
        QVERIFY(!start->isEnabled());
        QVERIFY(note->isVisible());
        // Tab goes through the field choices and on out of the table.
        columns->setFocus();
        for (int i = 0; i < 3 && (window.focusWidget() == columns || columns->isAncestorOf(window.focusWidget())); ++i)
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        QVERIFY(window.focusWidget() != columns && !columns->isAncestorOf(window.focusWidget()));
        // Fields are named as Add Contact names them.
        surname->setCurrentIndex(surname->findText("Last Name"));
        phone->setCurrentIndex(phone->findText("Cell Phone"));
        QVERIFY(start->isEnabled());
        QVERIFY(!note->isVisible());
        QCOMPARE(contacts->item(0, int(Field::LastName))->text(), QStringLiteral("Nguyen"));
        QCOMPARE(contacts->item(0, int(Field::CellPhone))->text(), QStringLiteral("555-0100"));
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().text,
                 QStringLiteral("D O N E !  1 contacts successfully imported."));
        QCOMPARE(m_session->file().read(1)->trimmed(Field::CellPhone), QStringLiteral("555-0100"));

        m_scripted->fileDialogs.answers.enqueue({csv, "people.csv"});
        QTest::mouseClick(child<QPushButton>(window, "cmdCsvOpen"), Qt::LeftButton);
        QCOMPARE(child<QComboBox>(window, "fieldCombo0")->currentText(), QStringLiteral("Last Name"));
        QVERIFY(start->isEnabled());
    }

    // The main window's Import and Export commands hide it and show our windows; closing them brings it back.
    void mainWindowCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("import") << "mnuImport"
                                << "quillet::ImportWindow";
        QTest::newRow("export") << "mnuExport"
                                << "quillet::ExportWindow";
    }
    void mainWindowCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, windowClass);
        MainWindow main(m_scripted->platform());
        wireWindows(main);
        main.start();
        const QString path = m_dir.filePath("Main.DAT");
        QVERIFY(main.session().file().open(path, quillet::Creation::CreateIfMissing).ok());
        main.session().setOpenFile(path, "Main.DAT");
        main.findChild<QAction*>(command)->trigger();
        QWidget* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->metaObject()->className() == windowClass)
                opened = widget;
        }
        QVERIFY(opened);
        QVERIFY(!main.isVisible());
        QVERIFY(opened->close());
        QVERIFY(main.isVisible());
    }

    void exportWindow_endToEnd()
    {
        openContacts("Friends.DAT");
        test::appendContacts(m_session->file(), {"Ann|B|Cole", "Bob||Dee"});
        ExportWindow window(*m_session, *m_platform, m_host);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Export Contacts  [Friends.DAT]"));
        auto* create = child<QPushButton>(window, "cmdExpCreate");
        QVERIFY(!create->isEnabled());
        QVERIFY(!child<QRadioButton>(window, "optExpCGCSV")->isChecked());
        QVERIFY(!child<QRadioButton>(window, "optExpCGTXT")->isChecked());

        auto* text = child<QRadioButton>(window, "optExpCGTXT");
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(8, text->height() / 2));
        QVERIFY(create->isEnabled());
        m_scripted->prompter.messageAnswers << MessageResult::OpenFolder;
        QTest::mouseClick(create, Qt::LeftButton);
        const ShownMessage done = m_scripted->prompter.messages.last();
        QCOMPARE(done.text, QStringLiteral("D O N E !  A text file of contacts has been created and stored in your "
                                           "Quillet folder.  This file is named QLTT_Friends.txt\r\n\r\n") +
                                QDir::toNativeSeparators(m_dir.filePath("QLTT_Friends.txt")));
        QCOMPARE(done.title, QStringLiteral("Export file created"));
        QCOMPARE(done.buttons, MessageButtons::OkOpenFolder);
        QCOMPARE(m_scripted->desktop.openedDocuments, QStringList{QDir(m_dir.path()).absolutePath()});
        m_scripted->desktop.openedDocuments.clear();
        QFile written(m_dir.filePath("QLTT_Friends.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().count("\r\n"), 3);
        auto* vcard = child<QRadioButton>(window, "optExpCGVCF");
        QTest::mouseClick(vcard, Qt::LeftButton, {}, QPoint(8, vcard->height() / 2));
        QTest::mouseClick(create, Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().text,
                 QStringLiteral("D O N E !  A vCard file of contacts has been created and stored in your Quillet "
                                "folder.  This file is named QLTV_Friends.vcf\r\n\r\n") +
                     QDir::toNativeSeparators(m_dir.filePath("QLTV_Friends.vcf")));
        QFile cards(m_dir.filePath("QLTV_Friends.vcf"));
        QVERIFY(cards.open(QIODevice::ReadOnly));
        QCOMPARE(cards.readAll().count("BEGIN:VCARD\r\n"), 2);

        QCOMPARE(child<QAction>(window, "mnuETHelpAbout")->text(), QStringLiteral("About Quillet"));
        child<QAction>(window, "mnuETHelpAbout")->trigger();
        QCOMPARE(m_host.abouts, 1);
        child<QAction>(window, "mnuETHelpUM")->trigger();
        QCOMPARE(m_scripted->desktop.openedDocuments, QStringList{m_dir.filePath("qltUman.pdf")});

        child<QAction>(window, "mnuETFileExit")->trigger();
        QCOMPARE(m_host.quits, 1);
        QCOMPARE(m_host.returns, 0);
    }

    void exportWindow_noContacts()
    {
        openContacts("Empty.DAT");
        ExportWindow window(*m_session, *m_platform, m_host);
        window.show();
        auto* csv = child<QRadioButton>(window, "optExpCGCSV");
        QTest::mouseClick(csv, Qt::LeftButton, {}, QPoint(8, csv->height() / 2));
        QTest::mouseClick(child<QPushButton>(window, "cmdExpCreate"), Qt::LeftButton);
        const ShownMessage box = m_scripted->prompter.messages.last();
        QCOMPARE(box.text, QStringLiteral("Export file could not be created.  There were no contacts on file."));
        QCOMPARE(box.title, QStringLiteral("Export file not created"));
        QCOMPARE(box.icon, MessageIcon::Information);
        QVERIFY(QFileInfo::exists(m_dir.filePath("QLTC_Empty.csv")));
    }
};

QTEST_MAIN(TestExchangeWindows)
#include "tst_exchangewindows.moc"
