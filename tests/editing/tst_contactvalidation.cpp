#include "core/editing/ContactValidation.h"

#include <QtTest>

using namespace quillet;
using F = FormField;

Q_DECLARE_METATYPE(quillet::FormField)

namespace {

ContactForm formWith(const QString& lastName)
{
    ContactForm form;
    form[F::LastName] = lastName;
    return form;
}

const QString lastNameMessage = QStringLiteral("Enter last name, 16 characters or less.");

} // namespace

class TestContactValidation : public QObject
{
    Q_OBJECT
private slots:
    // One field changed on an otherwise valid form: the first rejection (or none)
    // and the field's text afterwards, under the rules of both windows.
    void singleField_data()
    {
        QTest::addColumn<bool>("saveChanges");
        QTest::addColumn<FormField>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cleaned");

        auto row = [](const char* name, bool save, F field, const char* input, const char* message,
                      const char* cleaned) {
            QTest::newRow(name) << save << field << QString::fromUtf8(input) << QString::fromUtf8(message)
                                << QString::fromUtf8(cleaned);
        };
        row("add: comma-only last name", false, F::LastName, ",", "Enter last name, 16 characters or less.", "");
        row("save: comma-only last name passes", true, F::LastName, ",", "", "");
        row("add: spaces-only last name", false, F::LastName, "   ", "", "   ");
        row("first name comma after length", false, F::FirstName, "Abcdefghij,", "", "Abcdefghij");
        row("initial with dot", false, F::MiddleInitial, "J.", "", "J");
        row("initial cleaned then too long", true, F::MiddleInitial, "J.K,",
            "Enter only 1 character for middle initial.", "JK");
        row("add: phone cleaned", false, F::HomePhone, "(555) 123-4567", "", "555-123-4567");
        row("phone plus removed", true, F::CellPhone, "+1 (555) 123-4567", "", "1555-123-4567");
        row("work phone 13 after clean-up", false, F::WorkPhone, "(555) 123-45678", "", "555-123-45678");
        row("phone comma after length", false, F::HomePhone, "555,1234", "", "5551234");
        row("add: country comma to space", false, F::Country, "usa, inc", "", "usa  inc");
        row("save: country comma removed", true, F::Country, "usa, inc", "", "usa inc");
        row("add: state of one", false, F::State, "c", "State must be 2 character abbreviation.", "c");
        row("save: state of one", true, F::State, "c", "", "c");
        row("add: empty state", false, F::State, "", "", "");
        row("save: state of three", true, F::State, "cal", "State must be 2 character abbreviation.", "cal");
        row("add: state with comma counts it", false, F::State, "c,", "", "c");
        row("city comma removed last", false, F::City, "San, Diego", "", "San Diego");
        row("street2 comma", true, F::Street2, "Apt 4,", "", "Apt 4");
        // Folded before the length check: the decomposed "ễ" takes three characters as typed, one as kept.
        row("folded, then 16", false, F::City, "Nguye\xcc\x82\xcc\x83nnnnnnnnnnn", "", "Nguyennnnnnnnnnn");
        row("outside the code page", true, F::Notes,
            "\xc5\x81\xc3\xb3"
            "d\xc5\xba \xe4\xb8\xad",
            "",
            "L\xc3\xb3"
            "dz ?");
        row("email 51 with comma: length first", false, F::Email, (QByteArray(45, 'a') + "@b,c.d").constData(),
            "Email address must be 50 characters or less.", (QByteArray(45, 'a') + "@b,c.d").constData());
        row("email comma before space", false, F::Email, "a b,c", "Email address cannot contain a comma.", "a b,c");
        row("email space", true, F::Email, "a b@c.d", "Email address cannot contain a space.", "a b@c.d");
        row("email without @", false, F::Email, "ab.c", "Email address must contain the '@' character.", "ab.c");
        row("email without dot", false, F::Email, "a@bc", "Email address must contain the '.' character.", "a@bc");
        row("empty email passes", false, F::Email, "", "", "");
        row("category comma to space", true, F::Category, "Golf,Customers", "", "Golf Customers");
    }
    void singleField()
    {
        QFETCH(bool, saveChanges);
        QFETCH(FormField, field);
        QFETCH(QString, input);
        QFETCH(QString, message);
        QFETCH(QString, cleaned);

        ContactForm form = formWith(field == F::LastName ? input : QStringLiteral("Smith"));
        form[field] = input;
        const ValidationResult result = validateContact(form, saveChanges ? saveChangesRules : addContactRules);
        QCOMPARE(result.rejection ? result.rejection->message : QString(), message);
        if (result.rejection) {
            QCOMPARE(result.rejection->title, QStringLiteral("Incorrect entry"));
            QCOMPARE(result.rejection->focus, std::optional<FormField>(field));
        }
        QCOMPARE(result.form[field], cleaned);
    }

    // Every length limit on both sides, under both windows' rules: the limit passes,
    // one character more is refused with the field's message and focus.
    void lengthLimits_data()
    {
        QTest::addColumn<FormField>("field");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("message");
        auto row = [](F field, int limit, const char* message) {
            QTest::newRow(message) << field << limit << QString::fromLatin1(message);
        };
        row(F::FirstName, 11, "First name must be 11 characters or less.");
        row(F::MiddleInitial, 1, "Enter only 1 character for middle initial.");
        row(F::LastName, 16, "Enter last name, 16 characters or less.");
        row(F::Street, 30, "Street address must be 30 characters or less.");
        row(F::Street2, 15, "Street address2 must be 15 characters or less.");
        row(F::City, 16, "City must be 16 characters or less.");
        row(F::State, 2, "State must be 2 character abbreviation.");
        row(F::Zip, 10, "Zip Code must be 10 characters or less.");
        row(F::Country, 19, "Country must be 19 characters or less. For example, USA.");
        row(F::HomePhone, 15, "Home Phone must be 15 characters or less.");
        row(F::CellPhone, 15, "Cell Phone must be 15 characters or less.");
        row(F::WorkPhone, 13, "Work Phone must be 13 characters or less.");
        row(F::Email, 50, "Email address must be 50 characters or less.");
        row(F::Category, 80, "Category must be 80 characters or less.");
        row(F::Notes, 80, "Notes must be 80 characters or less.");
    }
    void lengthLimits()
    {
        QFETCH(FormField, field);
        QFETCH(int, limit);
        QFETCH(QString, message);
        // An e-mail must hold "@" and "."; the others take any characters.
        const auto text = [field](int length) {
            return field == F::Email ? QString(length - 4, u'a') + QStringLiteral("@b.c") : QString(length, u'7');
        };
        for (const SaveRules& rules : {addContactRules, saveChangesRules}) {
            ContactForm form = formWith(QStringLiteral("Smith"));
            form[field] = text(limit);
            QCOMPARE(validateContact(form, rules).rejection.has_value(), false);
            form[field] = text(limit + 1);
            const ValidationResult refused = validateContact(form, rules);
            QVERIFY(refused.rejection);
            QCOMPARE(refused.rejection->message, message);
            QCOMPARE(refused.rejection->focus, std::optional<FormField>(field));
        }
    }

    void allEmpty_rejectsOnLastName()
    {
        const ValidationResult result = validateContact(ContactForm{}, addContactRules);
        QVERIFY(result.rejection);
        QCOMPARE(result.rejection->message, lastNameMessage);
        QCOMPARE(result.rejection->focus, std::optional<FormField>(F::LastName));
    }

    void birthdate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("display form") << "04/10/1980" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("letters with slashes: no date") << "ab/cd/efgh" << false;
        QTest::newRow("month 13, day 45") << "13/45/1980" << false;
        QTest::newRow("29 February of a leap year") << "02/29/1980" << true;
        QTest::newRow("29 February of another year") << "02/29/1981" << false;
        QTest::newRow("nine characters") << "4/10/1980" << false;
        QTest::newRow("dashes") << "04-10-1980" << false;
        QTest::newRow("eleven characters") << "04/10/19800" << false;
    }
    void birthdate()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        for (const SaveRules& rules : {addContactRules, saveChangesRules}) {
            // The date is checked before anything else: an empty last name is not reached.
            ContactForm form;
            form[F::Birthdate] = typed;
            form[F::FirstName] = QStringLiteral("Jo,hn");
            const ValidationResult result = validateContact(form, rules);
            QVERIFY(result.rejection);
            if (accepted) {
                QCOMPARE(result.rejection->message, lastNameMessage);
                continue;
            }
            QCOMPARE(result.rejection->message,
                     QStringLiteral("Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"));
            QCOMPARE(result.rejection->title, QStringLiteral("Date error"));
            QVERIFY(!result.rejection->focus);
            QCOMPARE(result.form[F::FirstName], QStringLiteral("Jo,hn"));
        }
    }

    void earlierCleanUpsSurviveLaterRejection()
    {
        ContactForm form = formWith(QStringLiteral("Sm,ith"));
        form[F::FirstName] = QStringLiteral("Jo,hn");
        form[F::Street] = QStringLiteral("1, Main St");
        form[F::Zip] = QStringLiteral("92,101");
        form[F::HomePhone] = QStringLiteral("(555) 123-4567");
        form[F::City] = QStringLiteral("San, Diego");
        form[F::Email] = QStringLiteral("a,b@c.d");
        const ValidationResult result = validateContact(form, addContactRules);
        QVERIFY(result.rejection);
        QCOMPARE(result.rejection->message, QStringLiteral("Email address cannot contain a comma."));
        QCOMPARE(result.form[F::FirstName], QStringLiteral("John"));
        QCOMPARE(result.form[F::LastName], QStringLiteral("Smith"));
        QCOMPARE(result.form[F::Street], QStringLiteral("1 Main St"));
        QCOMPARE(result.form[F::Zip], QStringLiteral("92101"));
        QCOMPARE(result.form[F::HomePhone], QStringLiteral("555-123-4567"));
        // The city's commas go only once every check has passed.
        QCOMPARE(result.form[F::City], QStringLiteral("San, Diego"));
    }

    void record_upperCasesTrimsAndStoresDate()
    {
        ContactForm form = formWith(QStringLiteral("Public"));
        form[F::FirstName] = QStringLiteral("  John ");
        form[F::MiddleInitial] = QStringLiteral("q");
        form[F::State] = QStringLiteral("ca");
        form[F::Country] = QStringLiteral("usa, inc");
        form[F::Birthdate] = QStringLiteral("04/10/1980");
        form[F::Notes] = QStringLiteral("straße");
        const ValidationResult result = validateContact(form, addContactRules);
        QVERIFY(result.ok());
        const ContactRecord record = recordFromForm(result.form, QStringLiteral("1"));
        QCOMPARE(record.value(Field::FirstName), QStringLiteral("John"));
        QCOMPARE(record.value(Field::MI), QStringLiteral("Q"));
        QCOMPARE(record.value(Field::State), QStringLiteral("CA"));
        QCOMPARE(record.value(Field::Country), QStringLiteral("USA  INC"));
        QCOMPARE(record.value(Field::Birthdate), QStringLiteral("19800410"));
        QCOMPARE(record.value(Field::Notes), QStringLiteral("straße"));
        QCOMPARE(record.value(Field::ReminderFlag), QStringLiteral("1"));
        QCOMPARE(recordFromForm(formWith(QStringLiteral("X")), QStringLiteral("0")).value(Field::Birthdate),
                 QString(8, u' '));
    }
};

QTEST_GUILESS_MAIN(TestContactValidation)
#include "tst_contactvalidation.moc"
