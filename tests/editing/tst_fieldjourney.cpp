#include "EditingTestFiles.h"
#include "core/editing/ContactValidation.h"
#include "core/exchange/ExportWriter.h"
#include "core/list/ListLine.h"
#include "support/ChildRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

// Every field gets a marker of its own, typed into its box of the contact windows
// and given to its option of quillet-cli add; each marker must come out in its own
// place of the record, of `show`, of the export and of the list line.
class TestFieldJourney : public QObject
{
    Q_OBJECT

    struct Row
    {
        const char* objectName;
        const char* option;
        const char* typed;
        int offset;         // where the record holds it
        const char* stored; // as stored
        const char* shown;  // the line of `show`
        const char* header; // its export column
        const char* exported;
        int listColumn; // its column of the list line, -1 for none
    };
    static constexpr Row rows[] = {
        {"txtACFName", "--first", "Fmark01", 0, "Fmark01", "FirstName: Fmark01", "First Name", "Fmark01", 0},
        {"txtACMiddleInit", "--mi", "q", 12, "Q", "MI: Q", "MI", "Q", 0},
        {"txtACLName", "--last", "Lmark03", 14, "Lmark03", "LastName: Lmark03", "Last Name", "Lmark03", 0},
        {"txtACFStreet", "--street", "Smark04", 31, "Smark04", "Street1: Smark04", "Street1", "Smark04", -1},
        {"txtACSStreet", "--street2", "Tmark05", 62, "Tmark05", "Street2: Tmark05", "Street2", "Tmark05", -1},
        {"txtACCity", "--city", "Cmark06", 78, "Cmark06", "City: Cmark06", "City", "Cmark06", 1},
        {"txtACState", "--state", "ks", 95, "KS", "State: KS", "State", "KS", 2},
        {"txtACZip", "--zip", "62704-1234", 98, "62704-1234", "Zip: 62704-1234", "Zip", "62704-1234", 3},
        {"txtACCountry", "--country", "cmark09", 109, "CMARK09", "Country: CMARK09", "Country", "CMARK09", -1},
        {"txtACBirthdate", "--birthdate", "04/10/1980", 226, "19800410", "Birthdate: 04/10/1980", "Birthdate",
         "04-10-1980", -1},
        {"txtACHPhone", "--home", "555-0011", 129, "555-0011", "HomePhone: 555-0011", "Home Phone", "555-0011", 4},
        {"txtACCPhone", "--cell", "555-0012", 145, "555-0012", "CellPhone: 555-0012", "Cell Phone", "555-0012", 5},
        {"txtACWPhone", "--work", "555-0013", 161, "555-0013", "WorkPhone: 555-0013", "Work Phone", "555-0013", -1},
        {"txtACEmail", "--email", "e14@x.org", 175, "e14@x.org", "Email: e14@x.org", "Email", "e14@x.org", 6},
        {"txtACCategory", "--category", "Kmark15", 235, "Kmark15", "Category: Kmark15", "Category", "Kmark15", -1},
        {"txtACNotes", "--notes", "Nmark16", 316, "Nmark16", "Notes: Nmark16", "Notes", "Nmark16", -1},
    };

    QTemporaryDir m_dir;
    QByteArray m_fromForm;
    QByteArray m_fromCli;
    QStringList m_shown;
    QStringList m_exportHeader;
    QStringList m_exported;
    QStringList m_listColumns;

    static QString cli(const QStringList& args)
    {
        const ChildResult run = runCli(args);
        return run.exitCode == 0 ? run.out : QStringLiteral("failed: ") + run.err;
    }

    static const Row& row(int index) { return rows[index]; }

private slots:
    void initTestCase()
    {
        ContactForm form;
        QStringList addArgs;
        for (const Row& row : rows) {
            for (FormField field : allFormFields()) {
                if (formFieldObjectName(field) == QLatin1String(row.objectName))
                    form[field] = QLatin1String(row.typed);
            }
            addArgs << QLatin1String(row.option) << QLatin1String(row.typed);
        }
        const ValidationResult result = validateContact(form, addContactRules);
        QVERIFY(result.ok());
        m_fromForm = recordFromForm(result.form, QStringLiteral("1")).toBytes();
        const QString formFile = m_dir.filePath(QStringLiteral("FORM.DAT"));
        writeContacts(formFile, {ContactRecord::fromBytes(m_fromForm)});

        const QString cliFile = m_dir.filePath(QStringLiteral("CLI.DAT"));
        writeContacts(cliFile, 0);
        QCOMPARE(cli(QStringList{"add", cliFile} + addArgs), QStringLiteral("Saved as record 1\n"));
        m_fromCli = readBytes(cliFile);

        m_shown = cli({"show", formFile, "1"}).split(u'\n');
        m_exportHeader = exportHeaderLine(ExportKind::Csv).split(u',');
        QByteArray line;
        appendExportLine(line, ExportKind::Csv, m_fromForm);
        m_exported = QString::fromLatin1(line.chopped(2)).split(u',');
        m_listColumns = listLine(m_fromForm, SortOrder::FirstName).split(u'\t');
    }

    void markerFollowsItsField_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(rows)); ++i)
            QTest::newRow(rows[i].objectName) << i;
    }
    void markerFollowsItsField()
    {
        QFETCH(int, index);
        const Row& r = row(index);
        const QByteArray stored(r.stored);
        QCOMPARE(m_fromForm.mid(r.offset, stored.size()), stored);
        QCOMPARE(m_fromCli.mid(r.offset, stored.size()), stored);
        QVERIFY2(m_shown.contains(QLatin1String(r.shown)), qPrintable(m_shown.join(u'|')));
        const qsizetype column = m_exportHeader.indexOf(QLatin1String(r.header));
        QVERIFY(column >= 0);
        QCOMPARE(m_exported.value(column), QLatin1String(r.exported));
        for (int i = 0; i < m_listColumns.size(); ++i)
            QCOMPARE(m_listColumns[i].contains(QLatin1String(r.stored)), i == r.listColumn);
    }
};

QTEST_GUILESS_MAIN(TestFieldJourney)
#include "tst_fieldjourney.moc"
