#include "core/exchange/ExportWriter.h"

#include "core/common/FileErrors.h"
#include "core/common/NativePath.h"
#include "core/common/ReplacementFile.h"
#include "core/common/TextRules.h"
#include "core/common/WorkControl.h"
#include "core/contacts/ContactsFile.h"
#include "core/exchange/VCardWriter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr qsizetype flushSize = 256 * 1024;

// Whether the field has a column in an export file; the columns follow the record.
bool exported(Field field)
{
    return *fieldInfo(field).exportHeader != '\0';
}

QChar separator(ExportKind kind)
{
    return kind == ExportKind::Csv ? u',' : u'|';
}

// The export goes into the program's folder, where anyone who can write there could
// plant a link under its name: the program writes its own file and follows no link.
// The new file replaces the name by rename, so nothing is ever written through it.
Status checkOwnFileName(const QByteArray& path)
{
    struct stat info
    {
    };
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT ? Status() : Status(errorFromErrno(errno));
    if (S_ISLNK(info.st_mode))
        return errors::linkNotFollowed();
    if (!S_ISREG(info.st_mode))
        return errors::notRegularFile();
    // The new export replaces the old by rename, which the folder alone allows: an
    // older export the user made read-only is still kept from being overwritten.
    return ::access(path.constData(), W_OK) == 0 ? Status() : Status(errorFromErrno(errno));
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
    switch (kind) {
    case ExportKind::Csv:
        return QStringLiteral("QLTC_") + namePart + QStringLiteral(".csv");
    case ExportKind::Text:
        return QStringLiteral("QLTT_") + namePart + QStringLiteral(".txt");
    case ExportKind::VCard:
        break;
    }
    return QStringLiteral("QLTV_") + namePart + QStringLiteral(".vcf");
}

QString exportPath(ExportKind kind, const QString& contactsPath, const QString& folder)
{
    return QDir(folder).filePath(exportFileName(kind, exportNamePart(contactsPath)));
}

QString exportHeaderLine(ExportKind kind)
{
    QString line;
    for (const FieldInfo& row : fieldCatalogue()) {
        if (!exported(row.field))
            continue;
        if (!line.isEmpty())
            line += separator(kind);
        line += QLatin1String(row.exportHeader);
    }
    return line;
}

QByteArray exportBirthdate(QByteArrayView stored)
{
    const QByteArrayView blank = text::trimSpaces(stored);
    if (blank.isEmpty())
        return {};
    const auto part = [stored](qsizetype from, qsizetype length) {
        return from < stored.size() ? stored.sliced(from, std::min(length, stored.size() - from)) : QByteArrayView();
    };
    const QByteArray date = part(4, 2).toByteArray() + '-' + part(6, 2).toByteArray() + '-' + part(0, 4).toByteArray();
    return text::trimSpaces(QByteArrayView(date)).toByteArray();
}

void appendExportLine(QByteArray& out, ExportKind kind, QByteArrayView record)
{
    for (const Field field : allFields) {
        if (!exported(field))
            continue;
        if (field != Field::FirstName)
            out += kind == ExportKind::Csv ? ',' : '|';
        const FieldLayout layout = fieldLayout(field);
        const QByteArrayView value = record.sliced(layout.offset, layout.width);
        if (field == Field::Birthdate)
            out += exportBirthdate(value);
        else
            out += text::trimSpaces(value);
    }
    out += "\r\n";
}

Result<int> writeExport(const ContactsFile& file, ExportKind kind, const ExportSink& sink, WorkControl* control)
{
    // A consistent reading: no other program's write falls into the middle of it.
    const ContactsFileLock locked(file, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    QByteArray pending = kind == ExportKind::VCard ? QByteArray() : exportHeaderLine(kind).toLatin1() + "\r\n";
    int written = 0;
    Status sent;
    // Fields are copied as stored bytes: the file and the export share the code page,
    // so only the spaces around each value need to go.
    const int total = control ? file.count() : 0;
    Status read = file.forEachBytes([&](int, QByteArrayView record) {
        if (kind == ExportKind::VCard)
            appendVCard(pending, record);
        else
            appendExportLine(pending, kind, record);
        ++written;
        if (control) {
            control->setProgress(written, total);
            if (control->cancelled()) {
                sent = errors::cancelled();
                return false;
            }
        }
        if (pending.size() >= flushSize) {
            sent = sink(pending);
            pending.clear();
        }
        return sent.ok();
    });
    if (!read)
        return read;
    if (sent.ok())
        sent = sink(pending);
    if (!sent)
        return sent;
    return written;
}

Result<ExportSummary> exportContactsTo(const ContactsFile& file, ExportKind kind, const QString& path,
                                       WorkControl* control)
{
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    ExportSummary summary;
    summary.path = path;
    summary.fileName = QFileInfo(summary.path).fileName();
    const QByteArray target = nativePath(summary.path);
    if (Status own = checkOwnFileName(target); !own)
        return own;
    ReplacementFile out(target);
    if (Status opened = out.open(); !opened)
        return opened;
    const auto write = [&out](QByteArrayView bytes) { return out.write(bytes); };
    // Not committed on a cancel, so an older export stays as it was.
    const Result<int> written = writeExport(file, kind, write, control);
    if (!written)
        return written.status();
    if (Status committed = out.commit(); !committed)
        return committed;
    summary.written = *written;
    return summary;
}

Result<ExportSummary> exportContacts(const ContactsFile& file, ExportKind kind, const QString& folder,
                                     WorkControl* control)
{
    if (!file.isOpen())
        return errors::badFileNameOrNumber();
    // The program's folder is made when the first file is written into it.
    if (!QDir().mkpath(folder))
        return errors::pathNotFound();
    return exportContactsTo(file, kind, exportPath(kind, file.path(), folder), control);
}

QString exportDoneText(ExportKind kind, const QString& fileName)
{
    const QString what = kind == ExportKind::Csv    ? QStringLiteral("A csv file")
                         : kind == ExportKind::Text ? QStringLiteral("A text file")
                                                    : QStringLiteral("A vCard file");
    return QStringLiteral("D O N E !  ") + what +
           QStringLiteral(" of contacts has been created and stored in your Quillet folder.  This file is named ") +
           fileName;
}

} // namespace quillet
