#include "FaultRecords.h"
#include "core/contacts/ContactRecord.h"
#include "support/ChildRun.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr int oldContacts = 1200;
// Enough rounds that writers without locks lose contacts within a few seconds.
constexpr int rounds = 150;

// One writer: a shell loop running quillet-cli, printing a tag for every change the
// program reported as done. $Q is the program, $F the contacts file, $T the tag.
// Edits go to records past those the deletions reach, a different contact each.
const QHash<QString, QString> writers{
    {"add", "for i in $(seq %1); do \"$Q\" add \"$F\" --last $T$i >/dev/null 2>&1 && echo $T$i; done"},
    {"delete", "for i in $(seq %1); do \"$Q\" delete \"$F\" 1 --yes >/dev/null 2>&1 && echo deleted; done"},
    {"edit", "for i in $(seq %1); do \"$Q\" edit \"$F\" $((200 + 5 * i)) --notes $T$i >/dev/null 2>&1 && echo $T$i; "
             "done"},
    {"import", "\"$Q\" import \"$F\" \"$F.$T.csv\" >/dev/null 2>&1 && echo imported$T"},
};

QByteArray importFile(const QString& tag, int count)
{
    QByteArray csv = "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Home Phone,Cell Phone,"
                     "Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 1; i <= count; ++i)
        csv += QStringLiteral("I,,%1%2,,,,,,,,,,%1%2@example.org,,,\r\n").arg(tag).arg(i).toLatin1();
    return csv;
}

} // namespace

// Two programs write the same contacts file at once. Every contact a writer was told
// was saved is on file exactly once, and no deleted contact comes back.
class TestConcurrency : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QProcess* startWriter(const QString& kind, const QString& tag, const QString& file)
    {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("Q"), cliPath());
        environment.insert(QStringLiteral("F"), file);
        environment.insert(QStringLiteral("T"), tag);
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), writers.value(kind).arg(rounds)});
        return process;
    }

private slots:
    void initTestCase() { QVERIFY(prepareChildEnvironment(m_dir.path())); }

    void twoWriters_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("add and add") << "add"
                                     << "add";
        QTest::newRow("add and delete") << "add"
                                        << "delete";
        QTest::newRow("add and import") << "add"
                                        << "import";
        QTest::newRow("import and import") << "import"
                                           << "import";
        QTest::newRow("delete and delete") << "delete"
                                           << "delete";
        QTest::newRow("edit and delete") << "edit"
                                         << "delete";
    }
    void twoWriters()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QString file =
            QDir(m_dir.path()).filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QByteArray old;
        for (int i = 1; i <= oldContacts; ++i)
            old += person(QStringLiteral("Old"), QStringLiteral("Old%1").arg(i)).toBytes();
        QVERIFY(writeBytes(file, old));
        for (const QString& tag : {QStringLiteral("X"), QStringLiteral("Y")})
            QVERIFY(writeBytes(file + u'.' + tag + QStringLiteral(".csv"), importFile(tag + u'_', 500)));

        QProcess* a = startWriter(first, QStringLiteral("X"), file);
        QProcess* b = startWriter(second, QStringLiteral("Y"), file);
        QVERIFY2(a->waitForFinished(120000) && b->waitForFinished(120000), "a writer ran past its time");
        QStringList reported = QString::fromLatin1(a->readAllStandardOutput() + b->readAllStandardOutput())
                                   .split(u'\n', Qt::SkipEmptyParts);

        QHash<QString, int> lastNames;
        QStringList notes;
        const QByteArray now = readBytes(file);
        QCOMPARE(wholeRecordsProblem(now), QString());
        for (qsizetype at = 0; at < now.size(); at += recordSize) {
            const ContactRecord record = ContactRecord::fromBytes(QByteArrayView(now).sliced(at, recordSize));
            ++lastNames[record.trimmed(Field::LastName)];
            notes << record.trimmed(Field::Notes);
        }
        const int deleted = int(reported.removeAll(QStringLiteral("deleted")));
        for (const QString& saved : reported) {
            if (saved.startsWith(QLatin1String("imported"))) {
                // Every contact of an import reported done is there once.
                for (int i = 1; i <= 500; ++i)
                    QCOMPARE(lastNames.value(saved.mid(8) + QStringLiteral("_%1").arg(i)), 1);
            } else if (first == QLatin1String("edit") && saved.startsWith(u'X')) {
                QVERIFY2(notes.contains(saved), qPrintable(saved + QStringLiteral(" was saved, then lost")));
            } else {
                QVERIFY2(lastNames.value(saved) == 1, qPrintable(saved + QStringLiteral(" is not on file once")));
            }
        }
        // Deletions take record 1, always the oldest remaining "Old" contact.
        for (int i = 1; i <= oldContacts; ++i)
            QCOMPARE(lastNames.value(QStringLiteral("Old%1").arg(i)), i <= deleted ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
