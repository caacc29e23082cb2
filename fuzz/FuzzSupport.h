#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace quillet::fuzz {

// The scratch folder made by initialize(), and a path in it.
QString scratchFolder();
QString scratchPath(const QString& name);
// Replaces a scratch file's contents; false when it cannot be written.
bool writeScratch(const QString& path, const QByteArray& bytes);
QByteArray readScratch(const QString& path);

// The input as bytes, without copying.
inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// "what: expected X, got Y" for a broken invariant.
QString mismatch(const QString& what, const QString& expected, const QString& actual);

} // namespace quillet::fuzz
