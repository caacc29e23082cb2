#include "FuzzTargets.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

namespace {

using Body = QString (*)(const uint8_t*, size_t);

struct Target
{
    const char* name;       // fuzz_NAME and fuzz/regressions/NAME
    const char* seedFolder; // under tests/data
    Body body;
};

const Target targets[] = {
    {"contacts_file", "contacts", &quillet::fuzz::contactsFile},
    {"print_inputs", "label-inputs", &quillet::fuzz::printInputs},
    {"quick_add", "quick-add", &quillet::fuzz::quickAdd},
    {"import", "import", &quillet::fuzz::importCsv},
    {"option_values", "option-values", &quillet::fuzz::optionValues},
    {"sheet_templates", "sheet-xml", &quillet::fuzz::sheetTemplates},
    {"vcard_writer", "contacts", &quillet::fuzz::vcardRoundTrip},
};

QStringList filesIn(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

} // namespace

// Every seed and every input a fuzzer once broke the code with must keep every
// invariant of its target.
class TestFuzzReplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quillet::fuzz::initialize(nullptr, nullptr); }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("input");
        for (int i = 0; i < int(std::size(targets)); ++i) {
            const QStringList seeds = filesIn(quillet::test::dataPath(QString::fromLatin1(targets[i].seedFolder)));
            QVERIFY2(!seeds.isEmpty(), targets[i].seedFolder);
            const QStringList kept =
                filesIn(QDir(QStringLiteral(QUILLET_FUZZ_REGRESSIONS)).filePath(QString::fromLatin1(targets[i].name)));
            for (const QString& input : seeds + kept) {
                const QString row = QString::fromLatin1(targets[i].name) + u' ' + QFileInfo(input).fileName();
                QTest::newRow(qPrintable(row)) << i << input;
            }
        }
    }
    void replay()
    {
        QFETCH(int, target);
        QFETCH(QString, input);
        QFile file(input);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
        QCOMPARE(targets[target].body(data, size_t(bytes.size())), QString());
    }
};

QTEST_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
