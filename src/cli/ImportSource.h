#pragma once

#include "core/common/Result.h"

#include <QString>

#include <memory>

class QTemporaryDir;

namespace quillet {
struct ImportOptions;
}

namespace quillet::cli {

// The file import reads: the SOURCE named, or for "-" a private copy of standard
// input (the import reads its source more than once, and a pipe only once). The
// copy goes with the object.
class ImportSource
{
public:
    static Result<ImportSource> open(const QString& source);

    QString path() const { return m_path; }

    // The usage error when a --map names a column the source does not have, or the
    // source is not a CSV file matched by name, where --map does nothing; empty when
    // every --map applies. A failure to read the source is the error.
    Result<QString> unmappedColumn(const ImportOptions& options) const;

private:
    QString m_path;
    std::shared_ptr<QTemporaryDir> m_copyFolder;
};

} // namespace quillet::cli
