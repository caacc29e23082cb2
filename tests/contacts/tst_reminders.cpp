#include "core/reminders/Reminders.h"

#include "FileFixtures.h"
#include "core/contacts/ContactsFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using quillet::test::contact;
using quillet::test::readBytes;
using quillet::test::writeBytes;

class TestReminders : public QObject
{
    Q_OBJECT

    QString writeFile(const QList<ContactRecord>& records)
    {
        QByteArray bytes;
        for (const ContactRecord& record : records)
            bytes += record.toBytes();
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("c%1.DAT").arg(++m_files));
        writeBytes(path, bytes);
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;

private slots:
    void announcement_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("birthdate");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("expected");
        const QDate march10(2023, 3, 10);
        const QString due = QStringLiteral("Ann Lee has a birthday coming up on ");
        QTest::newRow("tomorrow") << march10 << "19800311"
                                  << "1" << due + "03/11";
        QTest::newRow("today") << march10 << "19800310"
                               << "1"
                               << "";
        QTest::newRow("yesterday") << march10 << "19800309"
                                   << "1"
                                   << "";
        QTest::newRow("15 days") << march10 << "19800325"
                                 << "1" << due + "03/25";
        QTest::newRow("16 days") << march10 << "19800326"
                                 << "1"
                                 << "";
        QTest::newRow("across a month") << QDate(2023, 4, 25) << "19990502"
                                        << "1" << due + "05/02";
        QTest::newRow("flag 0") << march10 << "19800311"
                                << "0"
                                << "";
        QTest::newRow("flag blank") << march10 << "19800311"
                                    << " "
                                    << "";
        QTest::newRow("empty birthdate") << march10 << "        "
                                         << "1"
                                         << "";
        QTest::newRow("late December, early January") << QDate(2023, 12, 25) << "19700103"
                                                      << "1"
                                                      << "";
        QTest::newRow("late December, Dec 31") << QDate(2023, 12, 25) << "19701231"
                                               << "1" << due + "12/31";
        QTest::newRow("29 Feb, not a leap year") << QDate(2023, 2, 20) << "19960229"
                                                 << "1"
                                                 << "";
        QTest::newRow("29 Feb, leap year") << QDate(2024, 2, 20) << "19960229"
                                           << "1" << due + "02/29";
        QTest::newRow("letters") << march10 << "1980ab11"
                                 << "1"
                                 << "";
        QTest::newRow("month 13") << march10 << "19801311"
                                  << "1"
                                  << "";
        QTest::newRow("inner spaces removed") << march10 << "1980 31 "
                                              << "1"
                                              << "";
        QTest::newRow("short after spaces") << march10 << "  198003"
                                            << "1"
                                            << "";
        QTest::newRow("short field: day from the last two") << QDate(2023, 11, 1) << "  980311"
                                                            << "1" << due + "11/11";
        QTest::newRow("year ignored") << march10 << "00000312"
                                      << "1" << due + "03/12";
    }
    void announcement()
    {
        QFETCH(QDate, today);
        QFETCH(QString, birthdate);
        QFETCH(QString, flag);
        QFETCH(QString, expected);
        const ContactRecord record = contact(QStringLiteral("  Ann"), QStringLiteral("Lee"), birthdate, flag);
        // The record as stored: fields padded to width, as the pass sees them.
        const QByteArray bytes = record.toBytes();
        QCOMPARE(reminders::announcementFor(bytes, today).value_or(QString()), expected);
        QCOMPARE(reminders::announcementFor(ContactRecord::fromBytes(bytes), today).value_or(QString()), expected);
    }

    void passAnnouncesInRecordOrderAndSkipsBadDates()
    {
        const QString path = writeFile({
            contact(QStringLiteral("Zoe"), QStringLiteral("Adams"), QStringLiteral("19900305")),
            contact(QStringLiteral("Leap"), QStringLiteral("Day"), QStringLiteral("19960229")),
            contact(QStringLiteral("Off"), QStringLiteral("Flag"), QStringLiteral("19900304"), QStringLiteral("0")),
            contact(QStringLiteral("No"), QStringLiteral("Date")),
            contact(QStringLiteral("Al"), QStringLiteral("Brown"), QStringLiteral("19850302")),
        });
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const Result<QStringList> announcements = reminders::runPass(file, QDate(2023, 2, 27));
        QVERIFY(announcements.ok());
        QCOMPARE(*announcements, (QStringList{QStringLiteral("Zoe Adams has a birthday coming up on 03/05"),
                                              QStringLiteral("Al Brown has a birthday coming up on 03/02")}));
    }

    void passOverEmptyFileAnnouncesNothing()
    {
        ContactsFile file;
        QVERIFY(file.open(writeFile({}), quillet::Creation::CreateIfMissing).ok());
        const Result<QStringList> announcements = reminders::runPass(file, QDate(2023, 1, 1));
        QVERIFY(announcements.ok() && announcements->isEmpty());
    }

    // The switch a file opens with, the flag new records then carry, and the enabled
    // states of "Enable" and "Disable Birthday Reminders" that show it.
    void switchAtOpening_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("onEnabled");
        QTest::addColumn<bool>("offEnabled");
        QTest::newRow("no records") << QStringList() << "1" << false << false;
        QTest::newRow("record 1 on") << QStringList{"1", "0"} << "1" << false << true;
        QTest::newRow("record 1 off") << QStringList{"0", "1"} << "0" << true << false;
        QTest::newRow("record 1 blank") << QStringList{" "} << "0" << true << false;
        QTest::newRow("record 1 other") << QStringList{"Y"} << "0" << true << false;
    }
    void switchAtOpening()
    {
        QFETCH(QStringList, flags);
        QFETCH(QString, flag);
        QFETCH(bool, onEnabled);
        QFETCH(bool, offEnabled);
        QList<ContactRecord> records;
        for (const QString& flag : flags)
            records.append(contact(QStringLiteral("A"), QStringLiteral("B"), {}, flag));
        ContactsFile file;
        QVERIFY(file.open(writeFile(records), quillet::Creation::CreateIfMissing).ok());
        const reminders::Switch state = reminders::switchAtOpening(file).value();
        QCOMPARE(reminders::flagFor(state), flag);
        QCOMPARE(reminders::menuItemsFor(state), (reminders::MenuItems{onEnabled, offEnabled}));
    }

    void switchRewritesOnlyTheFlag_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<char>("flag");
        QTest::newRow("disable") << false << '0';
        QTest::newRow("enable") << true << '1';
    }
    void switchRewritesOnlyTheFlag()
    {
        QFETCH(bool, on);
        QFETCH(char, flag);
        QList<ContactRecord> records{
            contact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("19800410"), QStringLiteral("1")),
            contact(QStringLiteral("Bo"), QStringLiteral("Ng"), QString(), QStringLiteral("0")),
            contact(QStringLiteral("Cy"), QStringLiteral("Ma"), QStringLiteral("19991231"), QStringLiteral(" ")),
        };
        records[1].set(Field::Notes, QStringLiteral("|keep|this|"));
        const QString path = writeFile(records);
        const QByteArray before = readBytes(path);
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        QVERIFY(reminders::setAll(file, on).ok());
        const QByteArray after = readBytes(path);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            if (i % 400 == 397)
                QCOMPARE(after.at(i), flag);
            else if (after.at(i) != before.at(i))
                QFAIL(qPrintable(QStringLiteral("byte %1 changed").arg(i)));
        }
        QCOMPARE(int(reminders::switchAtOpening(file).value()),
                 int(on ? reminders::Switch::On : reminders::Switch::Off));
    }

    void switchOnReadOnlyFileChangesNothing()
    {
        const QString path = writeFile({contact(QStringLiteral("Ann"), QStringLiteral("Lee"))});
        const QByteArray before = readBytes(path);
        test::WriteProtection readOnly(path);
        if (!readOnly.ok())
            QSKIP("cannot make a file read-only here");
        ContactsFile file;
        QVERIFY(file.open(path, quillet::Creation::CreateIfMissing).ok());
        const Status status = reminders::setAll(file, false);
        QCOMPARE(status.error().number, 70);
        QCOMPARE(readBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestReminders)
#include "tst_reminders.moc"
