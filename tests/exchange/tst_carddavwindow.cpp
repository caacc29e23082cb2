// "From an address book server…" in the Import and Export windows, against a
// Radicale server started for each test, with the program's own CardDAV client.
#include "core/common/Settings.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/AddressBookChoice.h"
#include "gui/exchange/AddressBookServerWindow.h"
#include "gui/exchange/ExportWindow.h"
#include "gui/exchange/ImportWindow.h"
#include "output/carddav/CardDavServer.h"
#include "support/RadicaleServer.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include "CannedHttpServer.h"
#include "ExchangeTestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace quillet;
using test::child;

namespace {
const QByteArray annCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c1\r\nN:Smith;Ann;;;\r\nFN:Ann Smith\r\n"
                           "EMAIL:ann@example.org\r\nEND:VCARD\r\n";
const QByteArray bobCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c3\r\nN:Jones;Bob;;;\r\nFN:Bob Jones\r\nEND:VCARD\r\n";
} // namespace

class TestCardDavWindow : public QObject, test::WindowFixture
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<test::RadicaleServer> m_server;
    CardDavServer m_addressBooks;
    ScriptedPasswordStore m_passwords;

    // The server window the button opened, filled in and its books found.
    QDialog* openAndFind(QWidget& window, const char* button, const QString& url, const QString& password)
    {
        QTest::mouseClick(child<QAbstractButton>(window, button), Qt::LeftButton);
        auto* server = window.findChild<QDialog*>(QStringLiteral("frmDAVServer"));
        if (!server || !QTest::qWaitForWindowExposed(server))
            return nullptr;
        if (!url.isEmpty()) // else as remembered
            child<QLineEdit>(*server, "txtDAVServer")->setText(url);
        child<QLineEdit>(*server, "txtDAVUser")->setText(QStringLiteral("alice"));
        QTest::keyClicks(child<QLineEdit>(*server, "txtDAVPassword"), password);
        QTest::mouseClick(child<QPushButton>(*server, "cmdDAVFind"), Qt::LeftButton);
        return server;
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = test::RadicaleServer::missingReason(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        QStandardPaths::setTestModeEnabled(true);
    }
    void init()
    {
        resetWindowFixture();
        m_platform->addressBooks = &m_addressBooks;
        m_platform->passwords = &m_passwords;
        m_passwords.kept.clear();
        settings::remove(settings::addressBookServer);
        settings::remove(settings::addressBookUser);
        settings::remove(settings::addressBookRemember);
        m_server = std::make_unique<test::RadicaleServer>();
        QVERIFY(m_server->start(QStringLiteral("alice"), QStringLiteral("pw")));
        m_server->addBook(QStringLiteral("alice"), QStringLiteral("family"), QStringLiteral("Family"));
        m_server->addBook(QStringLiteral("alice"), QStringLiteral("work"), QStringLiteral("Work"));
        m_server->addCard(QStringLiteral("alice"), QStringLiteral("family"), QStringLiteral("c1.vcf"), annCard);
        m_server->addCard(QStringLiteral("alice"), QStringLiteral("family"), QStringLiteral("c3.vcf"), bobCard);
        QVERIFY(openContacts(m_dir.filePath(QStringLiteral("Club%1.DAT").arg(QTest::currentTestFunction())),
                             QStringLiteral("Club.DAT")));
    }
    void cleanup()
    {
        QApplication::closeAllWindows();
        m_session.reset();
        m_server.reset();
    }

    // The book is chosen among those found; the password is remembered only when ticked.
    void importTwiceWithRememberedPassword()
    {
        const QString root = m_server->url().toString();
        for (const QString& password : {QStringLiteral("pw"), QString()}) {
            ImportWindow window(*m_session, *m_platform, m_host);
            window.show();
            QDialog* server = openAndFind(window, "cmdImpServer", password.isEmpty() ? QString() : root, password);
            QVERIFY(server);
            if (password.isEmpty()) { // as remembered
                QCOMPARE(child<QLineEdit>(*server, "txtDAVServer")->text(), root);
                QVERIFY(child<QCheckBox>(*server, "chkDAVRemember")->isChecked());
            } else {
                child<QCheckBox>(*server, "chkDAVRemember")->setChecked(true);
            }
            auto* books = child<QComboBox>(*server, "cboDAVBook");
            QCOMPARE(books->count(), 2);
            books->setCurrentIndex(books->findText(QStringLiteral("Family")));
            QTest::mouseClick(child<QPushButton>(*server, "cmdDAVGo"), Qt::LeftButton);
            QCOMPARE(m_scripted->prompter.messages.last().title, QStringLiteral("Import completed"));
        }
        QCOMPARE(m_scripted->prompter.messages.at(0).text,
                 QStringLiteral("D O N E !  2 contacts successfully imported."));
        QCOMPARE(m_scripted->prompter.messages.at(1).text,
                 QStringLiteral("D O N E !  0 contacts successfully imported.\n2 already on file skipped."));
        QCOMPARE(m_passwords.kept.value(passwordKey(m_server->url(), QStringLiteral("alice"))), QStringLiteral("pw"));
        QCOMPARE(m_session->file().count(), 2);
    }

    void exportSaysItNeverDestroys()
    {
        ExportWindow window(*m_session, *m_platform, m_host);
        window.show();
        test::appendContacts(m_session->file(), {"Ann||Smith||||||||||ann@example.org"});
        QTest::mouseClick(child<QRadioButton>(window, "optExpCGDAV"), Qt::LeftButton);
        QDialog* server = openAndFind(window, "cmdExpCreate", m_server->url().toString(), QStringLiteral("pw"));
        QVERIFY(server);
        QCOMPARE(child<QLabel>(*server, "lblDAVNote")->text(),
                 QStringLiteral("Export to an address book server never deletes a card, and never overwrites a "
                                "card that Quillet did not make."));
        auto* books = child<QComboBox>(*server, "cboDAVBook");
        books->setCurrentIndex(books->findText(QStringLiteral("Work")));
        QTest::mouseClick(child<QPushButton>(*server, "cmdDAVGo"), Qt::LeftButton);
        QCOMPARE(m_scripted->prompter.messages.last().text, QStringLiteral("1 cards created, 0 updated, 0 unchanged."));
        QVERIFY(!m_server->storedCard("alice", "work", "quillet-6d04257ad491011a9f14438f6d6e915c.vcf").isEmpty());
        QVERIFY(m_passwords.kept.isEmpty());
    }

    // Cancel in the progress dialog the file import also shows stops a server that
    // does not answer, with no box; the window stays for another try.
    void cancelWhileWaiting()
    {
        test::CannedHttpServer silent{QByteArray()};
        ImportWindow window(*m_session, *m_platform, m_host);
        window.show();
        QString shownLabel;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, this, [&] {
            for (QWidget* shown : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(shown);
                if (progress && progress->isVisible()) {
                    cancel.stop();
                    shownLabel = progress->labelText();
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
            }
        });
        cancel.start(50);
        QDialog* server = openAndFind(window, "cmdImpServer", silent.url().toString(), QStringLiteral("pw"));
        QVERIFY(server);
        QCOMPARE(shownLabel, QStringLiteral("Looking for address books…"));
        QVERIFY(m_scripted->prompter.messages.isEmpty());
        QVERIFY(server->isVisible());
        QVERIFY(child<QPushButton>(*server, "cmdDAVFind")->isEnabled());
    }
};

QTEST_MAIN(TestCardDavWindow)
#include "tst_carddavwindow.moc"
