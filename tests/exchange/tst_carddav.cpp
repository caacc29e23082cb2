// The CardDAV client against a real Radicale server started for each test, and
// against canned answers no real server gives.
#include "core/contacts/ContactsFile.h"
#include "core/exchange/ServerCard.h"
#include "output/carddav/CardDavClient.h"
#include "output/carddav/CardDavExport.h"
#include "output/carddav/CardDavImport.h"

#include "CannedHttpServer.h"
#include "ExchangeTestFiles.h"
#include "support/ChildRun.h"
#include "support/RadicaleServer.h"

#include <QProcess>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace quillet;
using test::RadicaleServer;

namespace {

const QString user = QStringLiteral("alice");
const QString password = QStringLiteral("s3cret word");

const QByteArray annCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c1\r\nN:Smith;Ann;;;\r\nFN:Ann Smith\r\n"
                           "EMAIL;TYPE=INTERNET:ann@example.org\r\nADR;TYPE=home:;;1 Main St;Springfield;IL;62701;\r\n"
                           "END:VCARD\r\n";
const QByteArray zoeCard = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:c2\r\nN:M\xc3\xbcller;Zo\xc3\xab;;;\r\n"
                           "FN:Zo\xc3\xab M\xc3\xbcller\r\nTEL;TYPE=cell:555-0102\r\nEND:VCARD\r\n";
const QByteArray bobCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c3\r\nFN:Bob Jones\r\nN:Jones;Bob;;;\r\nEMAIL:bob@example.net\r\nEND:VCARD\r\n";

DavAccount accountFor(const QUrl& url, const QString& secret = password)
{
    DavAccount account;
    account.url = url;
    account.user = user;
    account.password = secret;
    account.timeoutMs = 10000;
    return account;
}

QStringList bookNames(const std::vector<AddressBookInfo>& books)
{
    QStringList names;
    for (const AddressBookInfo& book : books)
        names << book.displayName + u' ' + book.url.path();
    names.sort();
    return names;
}

} // namespace

class TestCardDav : public QObject, test::ImportFixture
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (const QString missing = RadicaleServer::missingReason(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }
    void init()
    {
        QVERIFY(openNextFile());
        m_server = std::make_unique<RadicaleServer>();
        QVERIFY2(m_server->start(user, password), qPrintable(m_server->serverOutput()));
    }
    void cleanup()
    {
        m_server.reset();
        m_file.close();
    }

    void importThenImportAgain()
    {
        const QUrl book = m_server->addBook(user, QStringLiteral("contacts"), QStringLiteral("Contacts"));
        m_server->addCard(user, QStringLiteral("contacts"), QStringLiteral("c1.vcf"), annCard);
        m_server->addCard(user, QStringLiteral("contacts"), QStringLiteral("c2.vcf"), zoeCard);
        m_server->addCard(user, QStringLiteral("contacts"), QStringLiteral("c3.vcf"), bobCard);
        CardDavClient client(accountFor(book));
        const Result<ImportSummary> first = importAddressBook(client, book, m_file, {});
        QVERIFY2(first, qPrintable(first.ok() ? QString() : first.error().description));
        QCOMPARE(first->imported, 3);
        QStringList stored = test::storedContacts(m_file);
        stored.sort();
        QCOMPARE(stored, (QStringList{"Ann||Smith|1 Main St||Springfield|IL|62701|||||ann@example.org|||",
                                      "Bob||Jones||||||||||bob@example.net|||", "Zoë||Müller||||||||555-0102|||||"}));
        const Result<ImportSummary> second = importAddressBook(client, book, m_file, {});
        QVERIFY(second);
        QCOMPARE(second->imported, 0);
        QCOMPARE(second->tally.skipped(SkipReason::AlreadyOnFile), 3);
        QCOMPARE(m_file.count(), 3);
    }

    void discovery_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("found");
        const QStringList both{"Family /alice/family/", "Work /alice/work/"};
        QTest::newRow("server root") << "/" << both;
        QTest::newRow("the user's folder") << "/alice/" << both;
        QTest::newRow("a book") << "/alice/work/" << QStringList{"Work /alice/work/"};
        // Radicale answers the well-known name with a redirection to its root.
        QTest::newRow("well-known name") << "/.well-known/carddav" << both;
    }
    void discovery()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, found);
        m_server->addBook(user, QStringLiteral("family"), QStringLiteral("Family"));
        m_server->addBook(user, QStringLiteral("work"), QStringLiteral("Work"));
        CardDavClient client(accountFor(m_server->url().resolved(QUrl(start))));
        const Result<std::vector<AddressBookInfo>> books = client.findBooks();
        QVERIFY2(books, qPrintable(books.ok() ? QString() : books.error().description));
        QCOMPARE(bookNames(*books), found);
    }

    // A second export updates the cards it made, leaves equal ones alone, never
    // touches a card it did not make and deletes nothing.
    void exportAndReread()
    {
        const QUrl book = m_server->addBook(user, QStringLiteral("contacts"), QStringLiteral("Contacts"));
        const QString annUid = QStringLiteral("quillet-6d04257ad491011a9f14438f6d6e915c");
        const QString zoeUid = QStringLiteral("quillet-e82750972083a69ed5c5cf0f07d24189");
        // Someone else's card under the name Zoë's card would take, and one elsewhere.
        const QByteArray foreign = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:phone-77\r\nFN:Zoe\r\nN:;Zoe;;;\r\nEND:VCARD\r\n";
        m_server->addCard(user, QStringLiteral("contacts"), zoeUid + QStringLiteral(".vcf"), foreign);
        m_server->addCard(user, QStringLiteral("contacts"), QStringLiteral("c3.vcf"), bobCard);
        test::appendContacts(m_file, {"Ann||Smith|1 Main St||Springfield|IL|62701|||||ann@example.org|||",
                                      "Zoë||Müller|||||||||||||", "|||||||||||||||",
                                      "ANN ||smith |||Salem|||||||Ann@Example.org"});
        CardDavClient client(accountFor(book));
        Result<ServerExportSummary> first = exportToAddressBook(client, book, m_file);
        QVERIFY2(first, qPrintable(first.ok() ? QString() : first.error().description));
        QCOMPARE((QList<int>{first->created, first->updated, first->unchanged, first->notOurs, first->skipped}),
                 (QList<int>{1, 0, 0, 1, 2}));
        const QByteArray annOnServer = m_server->storedCard(user, QStringLiteral("contacts"), annUid + ".vcf");
        QVERIFY2(annOnServer.contains("UID:" + annUid.toUtf8()), annOnServer.constData());
        QVERIFY(annOnServer.contains("EMAIL;TYPE=internet:ann@example.org"));
        QCOMPARE(m_server->storedCard(user, QStringLiteral("contacts"), zoeUid + ".vcf"), foreign);
        QCOMPARE(m_server->storedCard(user, QStringLiteral("contacts"), QStringLiteral("c3.vcf")), bobCard);

        Result<ServerExportSummary> again = exportToAddressBook(client, book, m_file);
        QVERIFY(again);
        QCOMPARE((QList<int>{again->created, again->updated, again->unchanged}), (QList<int>{0, 0, 1}));
        QVERIFY(m_file.writeField(1, Field::City, QStringLiteral("Shelbyville")).ok());
        Result<ServerExportSummary> changed = exportToAddressBook(client, book, m_file);
        QVERIFY(changed);
        QCOMPARE((QList<int>{changed->created, changed->updated, changed->unchanged}), (QList<int>{0, 1, 0}));
        QVERIFY(m_server->storedCard(user, QStringLiteral("contacts"), annUid + ".vcf").contains("Shelbyville"));

        // What was exported reads back as it was.
        QVERIFY(openNextFile());
        const Result<ImportSummary> reread = importAddressBook(client, book, m_file, {});
        QVERIFY(reread);
        QStringList stored = test::storedContacts(m_file);
        stored.sort();
        QCOMPARE(stored, (QStringList{"Ann||Smith|1 Main St||Shelbyville|IL|62701|||||ann@example.org|||",
                                      "Bob||Jones||||||||||bob@example.net|||", "Zoe|||||||||||||||"}));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QByteArray>("canned");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << "wrong password" << QByteArray()
                                        << "login refused; check the user name and the password.";
        QTest::newRow("stopped") << "stopped" << QByteArray()
                                 << "the server is down or cannot be reached (Connection refused).";
        QTest::newRow("plain http elsewhere")
            << "elsewhere" << QByteArray() << "plain HTTP would send the password unencrypted";
        QTest::newRow("web page") << "canned"
                                  << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 27\r\n"
                                                "\r\n<html><body>Hi</body></html>")
                                  << "the answer is not what a CardDAV server gives: a web page (HTTP status 200).";
        const QByteArray cutXml = "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/b/";
        QTest::newRow("XML breaks off") << "canned"
                                        << "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\n"
                                           "Content-Length: " +
                                               QByteArray::number(cutXml.size()) + "\r\n\r\n" + cutXml
                                        << "its XML breaks off, the answer was cut short.";
        QTest::newRow("body cut off") << "canned"
                                      << "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\n"
                                         "Content-Length: 5000\r\n\r\n" +
                                             cutXml
                                      << "the answer was cut off after 74 of 5000 bytes.";
        QTest::newRow("too large") << "canned"
                                   << QByteArray("HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\n"
                                                 "Content-Length: 52428801\r\n\r\n<?xml")
                                   << "an answer larger than 50 MB was refused.";
        QTest::newRow("silence") << "silent" << QByteArray() << "the server did not answer within 1 seconds.";
    }
    // Each failure has its own message, and the contacts file stays as it was.
    void failures()
    {
        QFETCH(QString, server);
        QFETCH(QByteArray, canned);
        QFETCH(QString, message);
        test::appendContacts(m_file, {"Ann||Smith"});
        const QUrl book = m_server->addBook(user, QStringLiteral("contacts"), QStringLiteral("Contacts"));
        m_server->addCard(user, QStringLiteral("contacts"), QStringLiteral("c3.vcf"), bobCard);
        test::CannedHttpServer cannedServer(server == u"silent" ? QByteArray() : canned);
        DavAccount account = accountFor(book, server == u"wrong password" ? QStringLiteral("guess") : password);
        if (server == u"stopped")
            m_server->stop();
        if (server == u"elsewhere")
            account.url = QUrl(QStringLiteral("http://carddav.example.org/alice/contacts/"));
        if (server == u"canned" || server == u"silent")
            account.url = cannedServer.url();
        account.timeoutMs = 1000;
        CardDavClient client(account);
        const Result<ImportSummary> summary = importAddressBook(client, account.url, m_file, {});
        QVERIFY(!summary);
        QVERIFY2(summary.error().description.contains(message), qPrintable(summary.error().description));
        QVERIFY(isOwnMessage(summary.error()));
        QCOMPARE(test::storedContacts(m_file), QStringList{"Ann||Smith|||||||||||||"});
    }

    void commandLine()
    {
        m_server->addBook(user, QStringLiteral("family"), QStringLiteral("Family"));
        m_server->addBook(user, QStringLiteral("work"), QStringLiteral("Work"));
        m_server->addCard(user, QStringLiteral("family"), QStringLiteral("c1.vcf"), annCard);
        m_server->addCard(user, QStringLiteral("family"), QStringLiteral("c3.vcf"), bobCard);
        const QString path = m_file.path();
        const QString root = m_server->url().toString();
        m_file.close();
        qputenv("QUILLET_DAV_PASSWORD", password.toUtf8());
        const test::ChildResult several = test::runCli({"import", path, root, "--user", user});
        QCOMPARE(several.exitCode, 1);
        QVERIFY2(several.err.contains(QStringLiteral("the server has 2 address books: ")), qPrintable(several.err));
        const test::ChildResult imported = test::runCli({"import", path, root, "--user", user, "--book", "Family"});
        QCOMPARE(imported.out, QStringLiteral("Read as vCard 3.0\n2 contacts successfully imported.\n"));
        QCOMPARE(imported.exitCode, 0);
        const test::ChildResult exported =
            test::runCli({"export", path, "--carddav", root + "alice/work/", "--user", user});
        QCOMPARE(exported.out, root + QStringLiteral("alice/work/\n2 cards created, 0 updated, 0 unchanged.\n"));
        qputenv("QUILLET_DAV_PASSWORD", "guess");
        const test::ChildResult refused = test::runCli({"import", path, root, "--user", user, "--book", "Family"});
        qunsetenv("QUILLET_DAV_PASSWORD");
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("login refused")), qPrintable(refused.err));
    }

    void cancelStopsTheRun()
    {
        test::CannedHttpServer silent{QByteArray()};
        CardDavClient client(accountFor(silent.url()));
        QTimer::singleShot(200, [&client] { client.cancel(); });
        const Result<std::vector<AddressBookInfo>> books = client.findBooks();
        QVERIFY(!books);
        QVERIFY2(isCancelled(books.error()), qPrintable(books.error().description));
    }

    // A self-signed server is refused, naming it and why, until its certificate is trusted.
    void selfSignedCertificate()
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            QSKIP("no openssl to make a certificate");
        const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
        const QString key = m_dir.filePath(QStringLiteral("key.pem"));
        QProcess make;
        make.setStandardOutputFile(QProcess::nullDevice());
        make.setStandardErrorFile(QProcess::nullDevice());
        make.start(openssl, {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                             "-keyout", key, "-out", cert});
        QVERIFY(make.waitForFinished(60000) && make.exitCode() == 0);
        m_server->stop();
        RadicaleServer tls;
        QVERIFY2(tls.start(user, password, cert, key), qPrintable(tls.serverOutput()));
        tls.addBook(user, QStringLiteral("work"), QStringLiteral("Work"));
        DavAccount account = accountFor(tls.url());
        const Result<std::vector<AddressBookInfo>> refused = CardDavClient(account).findBooks();
        QVERIFY(!refused);
        const QString port = QString::number(tls.url().port());
        QVERIFY2(refused.error().description.startsWith(
                     QStringLiteral("127.0.0.1:%1: the server's certificate is not valid: ").arg(port)),
                 qPrintable(refused.error().description));
        QVERIFY2(refused.error().description.contains(QStringLiteral("self-signed"), Qt::CaseInsensitive),
                 qPrintable(refused.error().description));
        const QList<QSslCertificate> pem = QSslCertificate::fromPath(cert);
        QCOMPARE(pem.size(), 1);
        account.trustedCertificate = pem.first().digest(QCryptographicHash::Sha256);
        const Result<std::vector<AddressBookInfo>> trusted = CardDavClient(account).findBooks();
        QVERIFY2(trusted, qPrintable(trusted.ok() ? QString() : trusted.error().description));
        QCOMPARE(bookNames(*trusted), QStringList{"Work /alice/work/"});
    }

    void cardIdentity_data()
    {
        QTest::addColumn<QString>("contact");
        QTest::addColumn<QString>("uid");
        const QString ann = QStringLiteral("quillet-6d04257ad491011a9f14438f6d6e915c");
        QTest::newRow("as typed") << "Ann||Smith||||||||||ann@example.org" << ann;
        QTest::newRow("case and spaces") << "  ANN||smith ||||||||||Ann@Example.ORG" << ann;
        QTest::newRow("other fields do not count") << "Ann|Q|Smith|1 Main St|||||||||ann@example.org|||Friend" << ann;
        QTest::newRow("accents count") << "Zoë||Müller"
                                       << "quillet-e82750972083a69ed5c5cf0f07d24189";
    }
    void cardIdentity()
    {
        QFETCH(QString, contact);
        QFETCH(QString, uid);
        const ContactRecord record = test::contactFrom(contact);
        QCOMPARE(serverCardUid(record), uid);
        QVERIFY(isOwnCardUid(uid));
        const QByteArray card = serverCard(record.toBytes(), uid);
        QVERIFY(card.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid.toUtf8() + "\r\nN:"));
        QCOMPARE(cardUid(card), uid);
    }

private:
    std::unique_ptr<RadicaleServer> m_server;
};

QTEST_GUILESS_MAIN(TestCardDav)
#include "tst_carddav.moc"
