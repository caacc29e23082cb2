#include "core/exchange/ImportText.h"

#include "core/common/Cp1252.h"
#include "core/common/FileErrors.h"
#include "core/exchange/CsvLineReader.h"

#include <QFile>

namespace quillet {

namespace {

struct Mark
{
    QByteArrayView bytes;
    TextEncoding encoding;
};
const Mark marks[] = {
    {"\xEF\xBB\xBF", TextEncoding::Utf8}, {"\xFF\xFE", TextEncoding::Utf16LE}, {"\xFE\xFF", TextEncoding::Utf16BE}};

bool isContinuation(unsigned char b, unsigned lowest = 0x80, unsigned highest = 0xBF)
{
    return b >= lowest && b <= highest;
}

} // namespace

int utf8SequenceLength(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    if (lead < 0x80)
        return 1;
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned lowest = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned highest = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (int i = 1; i < length; ++i) {
        if (i >= bytes.size())
            return -1;
        if (!isContinuation(static_cast<unsigned char>(bytes[i]), lowest, highest))
            return 0;
        lowest = 0x80;
        highest = 0xBF;
    }
    return length;
}

QString MixedUtf8Decoder::decode(QByteArrayView input, bool last)
{
    QByteArray joined;
    QByteArrayView bytes = input;
    if (!m_carry.isEmpty()) {
        joined = m_carry + input.toByteArray();
        m_carry.clear();
        bytes = joined;
    }
    // No byte makes more than one UTF-16 code unit.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    qsizetype i = 0;
    qsizetype plainFrom = 0; // a run of ASCII and valid sequences, decoded in one go
    const auto flushPlain = [&] {
        if (i > plainFrom)
            out = m_utf8.appendToBuffer(out, bytes.sliced(plainFrom, i - plainFrom));
    };
    const auto finished = [&] {
        text.truncate(out - text.constData());
        return text;
    };
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceLength(bytes.sliced(i));
        if (length > 0) {
            i += length;
            continue;
        }
        flushPlain();
        if (length < 0 && !last) {
            m_carry = bytes.sliced(i).toByteArray();
            return finished();
        }
        *out++ = QChar(cp1252::charFor(static_cast<unsigned char>(bytes[i])));
        plainFrom = ++i;
    }
    flushPlain();
    return finished();
}

namespace {

// UTF-16 without a mark: in text of Latin letters every other byte is zero, the
// high byte of each code unit. A few zero bytes elsewhere (a picture) do not count.
std::optional<TextEncoding> wideByZeroBytes(QByteArrayView bytes)
{
    const qsizetype pairs = std::min<qsizetype>(bytes.size(), 4096) / 2;
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        evenZeros += bytes[2 * i] == 0 ? 1 : 0;
        oddZeros += bytes[2 * i + 1] == 0 ? 1 : 0;
    }
    const auto dominates = [pairs](qsizetype many, qsizetype few) { return many * 3 >= pairs && few * 20 <= many; };
    if (pairs == 0)
        return std::nullopt;
    if (dominates(oddZeros, evenZeros))
        return TextEncoding::Utf16LE;
    if (dominates(evenZeros, oddZeros))
        return TextEncoding::Utf16BE;
    return std::nullopt;
}

// Text holds few control characters besides tab, line ends and form feed: a stray
// NUL in a value is removed from it, but a picture or an archive is mostly such bytes.
bool looksBinary(QStringView text)
{
    qsizetype controls = 0;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f')
            ++controls;
    }
    return controls * 20 > text.size();
}

} // namespace

void EncodingSurvey::surveyStart(QByteArrayView bytes)
{
    for (const Mark& mark : marks) {
        if (bytes.startsWith(mark.bytes)) {
            m_markLength = int(mark.bytes.size());
            m_decided = mark.encoding;
            break;
        }
    }
    if (!m_decided)
        m_decided = wideByZeroBytes(bytes);
    const QByteArrayView start =
        bytes.sliced(m_markLength).first(std::min<qsizetype>(bytes.size() - m_markLength, 65536));
    if (m_decided == TextEncoding::Utf16LE || m_decided == TextEncoding::Utf16BE) {
        QStringDecoder wide(m_decided == TextEncoding::Utf16BE ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE);
        m_binary = looksBinary(QString(wide.decode(start)));
    } else {
        m_binary = looksBinary(cp1252::decode(start));
    }
    if (m_decided == TextEncoding::Utf8)
        m_decided.reset(); // a UTF-8 mark: the content rule gives the same
}

void EncodingSurvey::feed(QByteArrayView bytes)
{
    if (m_first) {
        m_first = false;
        surveyStart(bytes);
        if (m_markLength > 0 && !m_decided) {
            m_sawSequence = true;
            return;
        }
    }
    if (m_decided || m_sawSequence)
        return;
    QByteArray joined = m_carry + bytes.toByteArray();
    m_carry.clear();
    for (qsizetype i = 0; i < joined.size(); ++i) {
        if (static_cast<unsigned char>(joined[i]) < 0x80)
            continue;
        const int length = utf8SequenceLength(QByteArrayView(joined).sliced(i));
        if (length > 1) {
            m_sawSequence = true;
            return;
        }
        if (length < 0) {
            m_carry = joined.sliced(i);
            return;
        }
    }
}

TextEncoding EncodingSurvey::encoding() const
{
    if (m_decided)
        return *m_decided;
    return m_sawSequence ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

ImportDecoder::ImportDecoder(TextEncoding encoding)
    : m_encoding(encoding),
      m_utf16(encoding == TextEncoding::Utf16BE ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE)
{}

QString ImportDecoder::decode(QByteArrayView bytes, bool last)
{
    switch (m_encoding) {
    case TextEncoding::Utf8:
        return m_mixed.decode(bytes, last);
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return m_utf16.decode(bytes);
    case TextEncoding::Windows1252:
        break;
    }
    return cp1252::decode(bytes);
}

QString decodeImportBytes(QByteArrayView bytes, TextEncoding* encoding)
{
    EncodingSurvey survey;
    survey.feed(bytes);
    if (encoding)
        *encoding = survey.encoding();
    ImportDecoder decoder(survey.encoding());
    return decoder.decode(bytes.sliced(survey.markLength()), true);
}

Result<ImportText> readImportText(const QString& path, qint64 limit)
{
    QFile file(path);
    if (Status opened = openForReading(file); !opened)
        return opened;
    if (file.size() > maxImportFileSize)
        return errors::outOfMemory();
    const QByteArray bytes = file.read(std::min(limit, maxImportFileSize));
    if (file.error() != QFileDevice::NoError)
        return errorFromFileDevice(file);
    EncodingSurvey survey;
    survey.feed(bytes);
    if (survey.isBinary())
        return errors::notText();
    ImportText read;
    read.encoding = survey.encoding();
    read.whole = file.atEnd();
    // A sequence cut by the limit is left for the next read rather than taken as Windows-1252.
    ImportDecoder decoder(read.encoding);
    read.text = decoder.decode(QByteArrayView(bytes).sliced(survey.markLength()), read.whole);
    return read;
}

Result<FileSurvey> surveyImportFile(QFile& file)
{
    if (file.size() > maxImportFileSize)
        return errors::outOfMemory();
    EncodingSurvey encoding;
    FileSurvey survey;
    std::optional<QStringDecoder> wide; // a UTF-16 file's bytes can hold 0x0D inside other characters
    bool first = true;
    while (true) {
        const QByteArray chunk = file.read(surveyChunkSize);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return errorFromFileDevice(file);
        if (chunk.isEmpty())
            break;
        QByteArrayView view(chunk);
        encoding.feed(view);
        if (first) {
            first = false;
            if (encoding.isBinary())
                return errors::notText();
            view = view.sliced(encoding.markLength());
            if (encoding.encoding() == TextEncoding::Utf16LE || encoding.encoding() == TextEncoding::Utf16BE)
                wide.emplace(encoding.encoding() == TextEncoding::Utf16BE ? QStringDecoder::Utf16BE
                                                                          : QStringDecoder::Utf16LE);
        }
        if (!survey.carriageReturn)
            survey.carriageReturn = wide ? QString(wide->decode(view)).contains(u'\r') : view.contains('\r');
    }
    survey.encoding = encoding.encoding();
    survey.markLength = encoding.markLength();
    if (!file.seek(survey.markLength))
        return errorFromFileDevice(file);
    return survey;
}

ImportFormat detectFormat(QStringView text)
{
    qsizetype from = 0;
    bool firstLine = true;
    while (from < text.size()) {
        qsizetype end = from;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = text.sliced(from, end - from).trimmed();
        from = end + 1;
        if (line.isEmpty())
            continue;
        if (firstLine && line.compare(u"BEGIN:VCARD", Qt::CaseInsensitive) == 0)
            return ImportFormat::VCard;
        firstLine = false;
        if (line.startsWith(u'#'))
            continue;
        const bool ldif =
            line.startsWith(u"dn:", Qt::CaseInsensitive) || line.startsWith(u"version:", Qt::CaseInsensitive);
        return ldif ? ImportFormat::Ldif : ImportFormat::Csv;
    }
    return ImportFormat::Csv;
}

QChar csvSeparator(QStringView headerLine)
{
    int commas = 0;
    int tabs = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const QChar c : headerLine) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u',')
            ++commas;
        else if (c == u'\t')
            ++tabs;
        else if (c == u';')
            ++semicolons;
    }
    if (tabs > commas && tabs >= semicolons)
        return u'\t';
    if (semicolons > commas && semicolons > tabs)
        return u';';
    return u',';
}

} // namespace quillet
