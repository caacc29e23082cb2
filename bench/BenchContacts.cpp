#include "BenchContacts.h"

#include "core/contacts/ContactRecord.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

namespace quillet::bench {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString contactsFile(const QString& name, int count)
{
    const QString path = QDir(workDir().path()).filePath(QStringLiteral("%1%2.DAT").arg(name).arg(count));
    if (QFile::exists(path))
        return path;
    static const QStringList first{"John", "ann", "Mary", "Émile", "Zoe", "bob", "Chen", "Olga", "Raj", "Fatima"};
    static const QStringList last{"Smith", "lee", "O'Brien", "García", "Nguyen", "Adams", "de Vries", "Kowalski"};
    static const QStringList cities{"New York", "York", "Leeds", "Springfield", "Montréal", "Austin", ""};
    QRandomGenerator random(20240);
    const auto pick = [&random](const QStringList& from) { return from.at(random.bounded(from.size())); };
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk;
    for (int n = 1; n <= count; ++n) {
        ContactRecord record;
        record.set(Field::FirstName, pick(first));
        record.set(Field::MI, QString(QChar(u'A' + random.bounded(26))));
        record.set(Field::LastName, pick(last) + QString::number(random.bounded(1000)));
        record.set(Field::Street1, QStringLiteral("%1 Oak Street").arg(random.bounded(9999)));
        record.set(Field::City, pick(cities));
        record.set(Field::State, QStringLiteral("NY"));
        record.set(Field::Zip, QString::number(10000 + random.bounded(89999)));
        record.set(Field::HomePhone, random.bounded(2) ? QStringLiteral("555-123-4567") : QStringLiteral("(555) 1"));
        record.set(Field::Email, QStringLiteral("contact%1@example.com").arg(n));
        chunk += record.toBytes();
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return path;
}

} // namespace quillet::bench
