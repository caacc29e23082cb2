#include "exchange/ExportWriter.h"

#include "common/Cp1252.h"
#include "common/FileErrors.h"
#include "common/TextRules.h"
#include "contacts/ContactsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quillet {

namespace {

constexpr qsizetype flushSize = 256 * 1024;

constexpr Field exportedFields[] = {
    Field::FirstName, Field::MI,        Field::LastName, Field::Street1,   Field::Street2,   Field::City,
    Field::State,     Field::Zip,       Field::Country,  Field::HomePhone, Field::CellPhone, Field::WorkPhone,
    Field::Email,     Field::Birthdate, Field::Category, Field::Notes,
};

const char* const headerNames[] = {"First Name", "MI",        "Last Name", "Street1",    "Street2",    "City",
                                   "State",      "Zip",       "Country",   "Home Phone", "Cell Phone", "Work Phone",
                                   "Email",      "Birthdate", "Category",  "Notes"};

QChar separator(ExportKind kind)
{
    return kind == ExportKind::Csv ? u',' : u'|';
}

Status writeAll(QSaveFile& out, const QByteArray& bytes)
{
    if (out.write(bytes) != bytes.size())
        return errorFromFileDevice(out);
    return {};
}

} // namespace

QString exportNamePart(const QString& contactsPath)
{
    QString part = QFileInfo(contactsPath).fileName();
    part.remove(QStringLiteral(".DAT"));
    part.remove(QStringLiteral(".dat"));
    return part;
}

QString exportFileName(ExportKind kind, const QString& namePart)
{
    return kind == ExportKind::Csv ? QStringLiteral("QLTC_") + namePart + QStringLiteral(".csv")
                                   : QStringLiteral("QLTT_") + namePart + QStringLiteral(".txt");
}

QString exportHeaderLine(ExportKind kind)
{
    QString line;
    for (const char* name : headerNames) {
        if (!line.isEmpty())
            line += separator(kind);
        line += QLatin1String(name);
    }
    return line;
}

QString exportBirthdate(const QString& stored)
{
    if (text::trimSpaces(stored).isEmpty())
        return {};
    return text::trimSpaces(text::mid(stored, 5, 2) + u'-' + text::mid(stored, 7, 2) + u'-' + text::left(stored, 4));
}

QString exportLine(ExportKind kind, const ContactRecord& record)
{
    QString line;
    line.reserve(recordSize);
    for (const Field field : exportedFields) {
        if (field != Field::FirstName)
            line += separator(kind);
        line += field == Field::Birthdate ? exportBirthdate(record.value(field)) : record.trimmed(field);
    }
    return line;
}

Status exportContacts(const ContactsFile& file, ExportKind kind, const QString& folder, ExportSummary& summary)
{
    summary = {};
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    summary.fileName = exportFileName(kind, exportNamePart(file.path()));
    summary.path = QDir(folder).filePath(summary.fileName);
    QSaveFile out(summary.path);
    if (!out.open(QIODevice::WriteOnly))
        return errorFromFileDevice(out);
    const QByteArray lineEnd("\r\n");
    QByteArray pending = cp1252::encode(exportHeaderLine(kind)) + lineEnd;
    Status written;
    Status read = file.forEach([&](int, const ContactRecord& record) {
        pending += cp1252::encode(exportLine(kind, record)) + lineEnd;
        ++summary.written;
        if (pending.size() >= flushSize) {
            written = writeAll(out, pending);
            pending.clear();
        }
        return written.ok();
    });
    if (!read)
        return read;
    if (written.ok())
        written = writeAll(out, pending);
    if (!written)
        return written;
    if (!out.commit())
        return errorFromFileDevice(out);
    return {};
}

QString exportDoneText(ExportKind kind, const QString& fileName)
{
    const QString what = kind == ExportKind::Csv ? QStringLiteral("A csv file") : QStringLiteral("A text file");
    return QStringLiteral("D O N E !  ") + what +
           QStringLiteral(" of contacts has been created and stored in your Quillet folder.  This file is named ") +
           fileName;
}

} // namespace quillet
