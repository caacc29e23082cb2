#include "cli/ImportSource.h"

#include "core/common/FileErrors.h"
#include "core/exchange/ColumnMapping.h"
#include "core/exchange/ImportRun.h"
#include "core/exchange/ImportText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace quillet::cli {

namespace {

// Copies standard input into `path`, no more than the import reads from a file.
Status copyStandardInput(const QString& path)
{
    QFile in;
    QFile out(path);
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return errors::pathFileAccess();
    qint64 total = 0;
    while (true) {
        const QByteArray chunk = in.read(256 * 1024);
        if (chunk.isEmpty())
            return in.error() == QFileDevice::NoError ? Status() : Status(errorFromFileDevice(in));
        total += chunk.size();
        if (total > maxImportFileSize)
            return errors::outOfMemory();
        if (out.write(chunk) != chunk.size())
            return errorFromFileDevice(out);
    }
}

QString readingName(ImportReading reading)
{
    switch (reading) {
    case ImportReading::VCard:
        return QStringLiteral("a vCard file");
    case ImportReading::Ldif:
        return QStringLiteral("an LDIF file");
    case ImportReading::Classic:
        return QStringLiteral("a CSV file in a classic layout, whose columns are fixed");
    case ImportReading::NameMatched:
    case ImportReading::None:
        break;
    }
    return QStringLiteral("a CSV file");
}

} // namespace

Result<ImportSource> ImportSource::open(const QString& source)
{
    ImportSource opened;
    if (source != QLatin1String("-")) {
        opened.m_path = source;
        return opened;
    }
    opened.m_copyFolder = std::make_shared<QTemporaryDir>();
    if (!opened.m_copyFolder->isValid())
        return errors::pathFileAccess();
    opened.m_path = QDir(opened.m_copyFolder->path()).filePath(QStringLiteral("standard-input"));
    if (Status copied = copyStandardInput(opened.m_path); !copied)
        return copied;
    return opened;
}

Result<QString> ImportSource::unmappedColumn(const ImportOptions& options) const
{
    if (options.columnChoices.empty())
        return QString();
    const Result<ColumnPreview> preview = previewColumns(m_path, options, 0);
    if (!preview)
        return preview.status();
    if (preview->reading != ImportReading::NameMatched && preview->reading != ImportReading::None)
        return QStringLiteral("--map applies to CSV files whose columns are matched by name; the source is %1")
            .arg(readingName(preview->reading));
    for (const auto& [header, field] : options.columnChoices) {
        const auto named = [&header](const QString& column) { return sameColumnHeader(column, header); };
        if (std::none_of(preview->headers.begin(), preview->headers.end(), named)) {
            return QStringLiteral("--map: the source has no column \"%1\"; its columns are \"%2\"")
                .arg(header, preview->headers.join(QStringLiteral("\", \"")));
        }
    }
    return QString();
}

} // namespace quillet::cli
