#include "core/contacts/ContactRecord.h"

#include <QtTest>

using namespace quillet;

namespace {

// The record layout written out independently of the codec: field, offset, width.
struct Slot
{
    Field field;
    int offset;
    int width;
};
const Slot layoutTable[] = {
    {Field::FirstName, 0, 11},     {Field::MI, 12, 1},
    {Field::LastName, 14, 16},     {Field::Street1, 31, 30},
    {Field::Street2, 62, 15},      {Field::City, 78, 16},
    {Field::State, 95, 2},         {Field::Zip, 98, 10},
    {Field::Country, 109, 19},     {Field::HomePhone, 129, 15},
    {Field::CellPhone, 145, 15},   {Field::WorkPhone, 161, 13},
    {Field::Email, 175, 50},       {Field::Birthdate, 226, 8},
    {Field::Category, 235, 80},    {Field::Notes, 316, 80},
    {Field::ReminderFlag, 397, 1},
};
const int separatorOffsets[] = {11, 13, 30, 61, 77, 94, 97, 108, 128, 144, 160, 174, 225, 234, 315, 396};

// 400 bytes with each field's ASCII value at its offset, as the layout says.
QByteArray expectedBytes(const QHash<Field, QByteArray>& values)
{
    QByteArray bytes(400, ' ');
    for (const Slot& slot : layoutTable) {
        const QByteArray value = values.value(slot.field);
        for (int i = 0; i < value.size() && i < slot.width; ++i)
            bytes[slot.offset + i] = value[i];
    }
    for (int offset : separatorOffsets)
        bytes[offset] = '|';
    bytes[398] = '\r';
    bytes[399] = '\n';
    return bytes;
}

ContactRecord recordWith(Field field, const QString& value)
{
    ContactRecord record;
    record.set(field, value);
    return record;
}

} // namespace

class TestContactRecord : public QObject
{
    Q_OBJECT
private slots:
    void fullRecordByteForByte()
    {
        const QHash<Field, QByteArray> values{
            {Field::FirstName, "Margaret"},
            {Field::MI, "J"},
            {Field::LastName, "Oyelaran-Smith"},
            {Field::Street1, "1200 North Lakeshore Drive"},
            {Field::Street2, "Apt 4B"},
            {Field::City, "Springfield"},
            {Field::State, "IL"},
            {Field::Zip, "62704-1234"},
            {Field::Country, "USA"},
            {Field::HomePhone, "217-555-0100"},
            {Field::CellPhone, "217-555-0101"},
            {Field::WorkPhone, "217-555-0102"},
            {Field::Email, "margaret@example.org"},
            {Field::Birthdate, "19800410"},
            {Field::Category, "Family"},
            {Field::Notes, "Call after 6"},
            {Field::ReminderFlag, "1"},
        };
        ContactRecord record;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            record.set(it.key(), QString::fromLatin1(it.value()));
        const QByteArray bytes = record.toBytes();
        QCOMPARE(bytes.size(), 400);
        QCOMPARE(bytes, expectedBytes(values));

        const ContactRecord back = ContactRecord::fromBytes(bytes);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            QCOMPARE(back.trimmed(it.key()), QString::fromLatin1(it.value()));
            QCOMPARE(back.value(it.key()).size(), fieldLayout(it.key()).width);
            QCOMPARE(ContactRecord::fieldFromBytes(bytes, it.key()), back.value(it.key()));
        }
    }

    void emptyRecordIsSpacesAndSeparators() { QCOMPARE(ContactRecord().toBytes(), expectedBytes({})); }

    void fieldValueStored_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("first name of 11") << int(Field::FirstName) << "Christopher" << QByteArray("Christopher");
        QTest::newRow("first name cut") << int(Field::FirstName) << "Christopherson" << QByteArray("Christopher");
        QTest::newRow("padded") << int(Field::FirstName) << "Ann" << QByteArray("Ann        ");
        QTest::newRow("leading spaces dropped") << int(Field::FirstName) << "   Ann" << QByteArray("Ann        ");
        QTest::newRow("leading spaces then cut") << int(Field::State) << "  ny" << QByteArray("ny");
        QTest::newRow("inner spaces kept") << int(Field::City) << "Des  Moines" << QByteArray("Des  Moines     ");
        QTest::newRow("MI cut") << int(Field::MI) << "JK" << QByteArray("J");
        QTest::newRow("bar in notes") << int(Field::Notes) << "a|b||c" << QByteArray("a|b||c").leftJustified(80);
        QTest::newRow("e acute") << int(Field::LastName) << QStringLiteral("Désiré")
                                 << QByteArray("D\xe9sir\xe9          ");
        QTest::newRow("euro") << int(Field::Notes) << QStringLiteral("owes 5 €")
                              << QByteArray("owes 5 \x80").leftJustified(80);
        QTest::newRow("not in code page, folded") << int(Field::City) << QStringLiteral("Łódź")
                                                  << QByteArray("L\xf3"
                                                                "dz            ");
        QTest::newRow("emoji is one ?") << int(Field::Category) << QStringLiteral("\U0001F382 party")
                                        << QByteArray("? party").leftJustified(80);
        QTest::newRow("empty") << int(Field::Zip) << "" << QByteArray(10, ' ');
        QTest::newRow("tab kept") << int(Field::Street2) << "\tx" << QByteArray("\tx             ");
    }
    void fieldValueStored()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QByteArray, stored);
        const Field f = static_cast<Field>(field);
        const FieldLayout layout = fieldLayout(f);
        QCOMPARE(encodeField(f, value), stored);
        const QByteArray bytes = recordWith(f, value).toBytes();
        QCOMPARE(bytes.mid(layout.offset, layout.width), stored);
        QCOMPARE(bytes.size(), 400);
    }

    void readBack_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("bar in notes") << int(Field::Notes) << "left|right | end";
        QTest::newRow("bar in category") << int(Field::Category) << "|";
        QTest::newRow("e acute") << int(Field::FirstName) << QStringLiteral("Renée");
        QTest::newRow("euro") << int(Field::Notes) << QStringLiteral("€ 12");
        QTest::newRow("upper half") << int(Field::Notes) << QStringLiteral("ÀÿŒœšŠžŽŸƒ‰‹›");
    }
    void readBack()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        const Field f = static_cast<Field>(field);
        QCOMPARE(ContactRecord::fromBytes(recordWith(f, value).toBytes()).trimmed(f), value);
    }

    void shortInputReadsAsSpaces()
    {
        const ContactRecord record = ContactRecord::fromBytes(QByteArrayView("Bob"));
        QCOMPARE(record.value(Field::FirstName), QStringLiteral("Bob        "));
        QCOMPARE(record.value(Field::Notes), QString(80, u' '));
        QCOMPARE(record.trimmed(Field::ReminderFlag), QString());
        QCOMPARE(ContactRecord::fieldFromBytes(QByteArrayView("Bob"), Field::LastName), QString(16, u' '));
    }

    void deletionMarker_data()
    {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("marker padded") << "*DELETED*  " << true;
        QTest::newRow("marker and more") << "*DELETED*xy" << true;
        QTest::newRow("lower case") << "*deleted*  " << false;
        QTest::newRow("leading space") << " *DELETED*" << false;
        QTest::newRow("short") << "*DELETED" << false;
        QTest::newRow("name") << "Delia" << false;
    }
    void deletionMarker()
    {
        QFETCH(QString, firstName);
        QFETCH(bool, deleted);
        QCOMPARE(recordWith(Field::FirstName, firstName).isDeleted(), deleted);
        // Through the stored form too: a set value with a leading space loses it there.
        const bool storedDeleted =
            ContactRecord::fromBytes(recordWith(Field::FirstName, firstName).toBytes()).isDeleted();
        QCOMPARE(storedDeleted, deleted || firstName.trimmed().startsWith(deletedMarker));
    }

    void birthdateToStored_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("stored");
        QTest::newRow("date") << "04/10/1980"
                              << "19800410";
        QTest::newRow("empty") << ""
                               << "        ";
        QTest::newRow("letters accepted") << "ab/cd/efgh"
                                          << "efghabcd";
        QTest::newRow("short") << "4/1"
                               << "4/";
    }
    void birthdateToStored()
    {
        QFETCH(QString, display);
        QFETCH(QString, stored);
        QCOMPARE(quillet::birthdateToStored(display), stored);
    }

    void birthdateToDisplay_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("display");
        QTest::newRow("date") << "19800410"
                              << "04/10/1980";
        QTest::newRow("spaces") << "        "
                                << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one is not above 1") << "00000001"
                                            << "";
        QTest::newRow("two is") << "00000002"
                                << "00/02/0000";
        QTest::newRow("letters first") << "efghabcd"
                                       << "";
        QTest::newRow("short number") << "1980"
                                      << "//1980";
        QTest::newRow("spaces trimmed") << "      12"
                                        << "/12/";
    }
    void birthdateToDisplay()
    {
        QFETCH(QString, stored);
        QFETCH(QString, display);
        QCOMPARE(quillet::birthdateToDisplay(stored), display);
    }

    void birthdateRoundTrip()
    {
        const QString stored = quillet::birthdateToStored(QStringLiteral("12/31/1999"));
        const QByteArray bytes = recordWith(Field::Birthdate, stored).toBytes();
        QCOMPARE(bytes.mid(226, 8), QByteArray("19991231"));
        QCOMPARE(quillet::birthdateToDisplay(ContactRecord::fromBytes(bytes).value(Field::Birthdate)),
                 QStringLiteral("12/31/1999"));
    }
};

QTEST_GUILESS_MAIN(TestContactRecord)
#include "tst_contactrecord.moc"
