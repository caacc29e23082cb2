#include "core/common/NativePath.h"

namespace quillet {

namespace {

constexpr char16_t escapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there begins none.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0; };
    const quint8 lead = byte(at);
    if (lead < 0x80)
        return lead == 0 ? 0 : 1;
    qsizetype length = 0;
    quint8 low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const quint8 next = byte(at + i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

bool isEscape(const QString& text, qsizetype at)
{
    const char16_t c = text.at(at).unicode();
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF && (at == 0 || !text.at(at - 1).isHighSurrogate());
}

} // namespace

QString pathFromNative(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = sequenceLength(bytes, at);
        if (length == 0) {
            path += QChar(char16_t(escapeBase + quint8(bytes[at])));
            ++at;
        } else {
            path += QString::fromUtf8(bytes.sliced(at, length));
            at += length;
        }
    }
    return path;
}

QByteArray nativePath(const QString& path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype at = 0; at <= path.size(); ++at) {
        if (at < path.size() && !isEscape(path, at))
            continue;
        bytes += QStringView(path).sliced(runStart, at - runStart).toUtf8();
        if (at < path.size())
            bytes += char(path.at(at).unicode() - escapeBase);
        runStart = at + 1;
    }
    return bytes;
}

bool isTextPath(const QString& path)
{
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (path.at(at) == QChar::ReplacementCharacter || isEscape(path, at))
            return false;
    }
    return true;
}

QByteArray nativeFolder(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nativeFileName(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace quillet
