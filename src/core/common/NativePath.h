#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillet {

// A POSIX file name is bytes, and Qt's QString cannot hold every byte string: a
// name like "caf\xe9.DAT" would decode to a replacement character and name a
// different file. These carry such bytes through a QString unchanged: valid UTF-8
// decodes as text, and every other byte b becomes the lone surrogate U+DC00 + b,
// which no valid text contains.
QString pathFromNative(QByteArrayView bytes);
QByteArray nativePath(const QString& path);
// False for a path that carries raw bytes or holds a replacement character: such a
// name cannot be shown, or came through a decoder that already lost its bytes.
bool isTextPath(const QString& path);
// The folder part of a native path ("." for a bare name) and its last component.
QByteArray nativeFolder(const QByteArray& path);
QByteArray nativeFileName(const QByteArray& path);

} // namespace quillet
