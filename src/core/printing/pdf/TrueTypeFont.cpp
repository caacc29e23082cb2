#include "core/printing/pdf/TrueTypeFont.h"

#include "core/printing/pdf/BigEndian.h"

#include <QFile>

#include <algorithm>

namespace quillet {

using namespace bigendian;

namespace {

uint32_t tagOf(const char* tag)
{
    return (uint32_t(uint8_t(tag[0])) << 24) | (uint32_t(uint8_t(tag[1])) << 16) | (uint32_t(uint8_t(tag[2])) << 8) |
           uint32_t(uint8_t(tag[3]));
}

// What a PDF name may hold without escapes.
bool nameCharacter(char c)
{
    return c > 32 && c < 127 && !QByteArrayView("()<>[]{}/%#").contains(c);
}

} // namespace

std::optional<TrueTypeFont> TrueTypeFont::fromData(QByteArray data)
{
    TrueTypeFont font;
    font.m_data = std::move(data);
    if (!font.readTables() || !font.readMetrics() || !font.readCharacterMap())
        return std::nullopt;
    font.readNames();
    return font;
}

std::optional<TrueTypeFont> TrueTypeFont::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromData(file.readAll());
}

bool TrueTypeFont::readTables()
{
    const QByteArrayView data(m_data);
    const uint32_t version = u32(data, 0);
    if (data.size() < 12 || (version != 0x00010000 && version != tagOf("true")))
        return false;
    const int count = u16(data, 4);
    if (12 + 16 * count > data.size())
        return false;
    for (int index = 0; index < count; ++index) {
        const qsizetype record = 12 + 16 * index;
        const TableEntry entry{u32(data, record), Span{u32(data, record + 8), u32(data, record + 12)}};
        if (entry.span.offset + entry.span.length > data.size())
            return false;
        m_tables.push_back(entry);
    }
    return true;
}

TrueTypeFont::Span TrueTypeFont::tableSpan(const char* tag) const
{
    const uint32_t wanted = tagOf(tag);
    const auto found = std::find_if(m_tables.begin(), m_tables.end(),
                                    [wanted](const TableEntry& entry) { return entry.tag == wanted; });
    return found == m_tables.end() ? Span{} : found->span;
}

QByteArrayView TrueTypeFont::table(const char* tag) const
{
    return view(tableSpan(tag));
}

bool TrueTypeFont::readMetrics()
{
    const QByteArrayView head = table("head"), hhea = table("hhea"), maxp = table("maxp");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6)
        return false;
    m_unitsPerEm = u16(head, 18);
    m_bounds = {i16(head, 36), i16(head, 38), i16(head, 40), i16(head, 42)};
    m_longOffsets = i16(head, 50) == 1;
    m_ascent = i16(hhea, 4);
    m_descent = i16(hhea, 6);
    m_horizontalMetrics = u16(hhea, 34);
    m_glyphCount = u16(maxp, 4);
    m_hmtx = tableSpan("hmtx");
    m_loca = tableSpan("loca");
    m_glyf = tableSpan("glyf");
    if (m_unitsPerEm < 16 || m_horizontalMetrics < 1 || m_horizontalMetrics > m_glyphCount ||
        m_hmtx.length < 4 * m_horizontalMetrics + 2 * (m_glyphCount - m_horizontalMetrics) ||
        m_loca.length < (m_glyphCount + 1) * (m_longOffsets ? 4 : 2) || m_glyf.length == 0)
        return false;
    const QByteArrayView os2 = table("OS/2");
    m_weight = os2.size() >= 6 ? u16(os2, 4) : 400;
    m_capHeight = os2.size() >= 90 && u16(os2, 0) >= 2 ? i16(os2, 88) : m_ascent;
    if (const QByteArrayView post = table("post"); post.size() >= 16) {
        m_italicAngle = int32_t(u32(post, 4)) / 65536.0;
        m_fixedPitch = u32(post, 12) != 0;
    }
    return true;
}

// The Unicode subtable: full repertoire (format 12) before the BMP (format 4).
bool TrueTypeFont::readCharacterMap()
{
    const Span cmap = tableSpan("cmap");
    const QByteArrayView data = view(cmap);
    const int count = u16(data, 2);
    int bestRank = 0;
    for (int index = 0; index < count && 4 + 8 * index + 8 <= data.size(); ++index) {
        const qsizetype record = 4 + 8 * index;
        const int platform = u16(data, record), encoding = u16(data, record + 2);
        const qsizetype offset = u32(data, record + 4);
        const int format = u16(data, offset);
        const qsizetype length = format == 12 ? qsizetype(u32(data, offset + 4)) : u16(data, offset + 2);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        const int rank = !unicode ? 0 : format == 12 ? 2 : format == 4 ? 1 : 0;
        if (rank > bestRank && offset + length <= data.size() && length >= 16) {
            bestRank = rank;
            m_cmap = Span{cmap.offset + offset, length};
        }
    }
    return bestRank > 0;
}

void TrueTypeFont::readNames()
{
    const QByteArrayView data = table("name");
    const int count = u16(data, 2);
    const qsizetype strings = u16(data, 4);
    for (int index = 0; index < count && m_postScriptName.isEmpty(); ++index) {
        const qsizetype record = 6 + 12 * index;
        const int platform = u16(data, record);
        if (u16(data, record + 6) != 6 || (platform != 1 && platform != 3))
            continue;
        const qsizetype length = u16(data, record + 8), offset = strings + u16(data, record + 10);
        const int step = platform == 3 ? 2 : 1; // UTF-16BE: the low byte of each unit
        for (qsizetype at = offset + step - 1; at < offset + length && at < data.size(); at += step) {
            if (nameCharacter(data[at]))
                m_postScriptName.append(data[at]);
        }
    }
    if (m_postScriptName.isEmpty())
        m_postScriptName = "Font";
}

uint16_t TrueTypeFont::glyphFor(char32_t codePoint) const
{
    return u16(view(m_cmap), 0) == 12 ? glyphFromFormat12(codePoint) : glyphFromFormat4(codePoint);
}

uint16_t TrueTypeFont::glyphFromFormat4(char32_t codePoint) const
{
    const QByteArrayView data = view(m_cmap);
    const int segmentsX2 = u16(data, 6);
    if (codePoint > 0xFFFF || 16 + 4 * segmentsX2 > data.size())
        return 0;
    for (int at = 0; at < segmentsX2; at += 2) {
        if (codePoint > u16(data, 14 + at))
            continue;
        const char32_t start = u16(data, 16 + segmentsX2 + at);
        const uint16_t delta = u16(data, 16 + 2 * segmentsX2 + at);
        const qsizetype rangeAt = 16 + 3 * segmentsX2 + at;
        const uint16_t rangeOffset = u16(data, rangeAt);
        if (codePoint < start)
            return 0;
        if (rangeOffset == 0)
            return uint16_t(codePoint + delta);
        const uint16_t glyph = u16(data, rangeAt + rangeOffset + 2 * (codePoint - start));
        return glyph == 0 ? 0 : uint16_t(glyph + delta);
    }
    return 0;
}

uint16_t TrueTypeFont::glyphFromFormat12(char32_t codePoint) const
{
    const QByteArrayView data = view(m_cmap);
    const qsizetype groups = std::min<qsizetype>(u32(data, 12), (data.size() - 16) / 12);
    for (qsizetype group = 0; group < groups; ++group) {
        const qsizetype at = 16 + 12 * group;
        if (codePoint >= u32(data, at) && codePoint <= u32(data, at + 4)) {
            const uint32_t glyph = u32(data, at + 8) + (codePoint - u32(data, at));
            return glyph < uint32_t(m_glyphCount) ? uint16_t(glyph) : 0;
        }
    }
    return 0;
}

int TrueTypeFont::advance(uint16_t glyph) const
{
    const int metric = std::min<int>(glyph, m_horizontalMetrics - 1);
    return u16(view(m_hmtx), 4 * metric);
}

int TrueTypeFont::leftSideBearing(uint16_t glyph) const
{
    if (glyph < m_horizontalMetrics)
        return i16(view(m_hmtx), 4 * glyph + 2);
    return i16(view(m_hmtx), 4 * m_horizontalMetrics + 2 * (glyph - m_horizontalMetrics));
}

qsizetype TrueTypeFont::glyphOffset(uint16_t glyph) const
{
    const QByteArrayView loca = view(m_loca);
    return m_longOffsets ? qsizetype(u32(loca, 4 * glyph)) : 2 * qsizetype(u16(loca, 2 * glyph));
}

QByteArrayView TrueTypeFont::glyphData(uint16_t glyph) const
{
    if (glyph >= m_glyphCount)
        return {};
    const qsizetype start = glyphOffset(glyph), end = glyphOffset(glyph + 1);
    if (end <= start || end > m_glyf.length)
        return {};
    return view(m_glyf).sliced(start, end - start);
}

} // namespace quillet
