#include "core/printing/pdf/TrueTypeSubset.h"

#include "core/printing/pdf/BigEndian.h"
#include "core/printing/pdf/TrueTypeFont.h"

#include <algorithm>
#include <functional>
#include <map>

namespace quillet {

using namespace bigendian;

namespace {

// Calls `visit` with the byte offset of each component's glyph index in a
// composite glyph; a simple glyph has none.
void forEachComponent(QByteArrayView glyph, const std::function<void(qsizetype)>& visit)
{
    if (glyph.size() < 10 || i16(glyph, 0) >= 0)
        return;
    const uint16_t argsAreWords = 0x0001, scale = 0x0008, moreComponents = 0x0020, xyScale = 0x0040, twoByTwo = 0x0080;
    qsizetype at = 10;
    uint16_t flags = moreComponents;
    while ((flags & moreComponents) && at + 4 <= glyph.size()) {
        flags = u16(glyph, at);
        visit(at + 2);
        at += 4 + ((flags & argsAreWords) ? 4 : 2);
        at += (flags & scale) ? 2 : (flags & xyScale) ? 4 : (flags & twoByTwo) ? 8 : 0;
    }
}

// The glyphs kept, in their new order, and each old glyph's new number (-1: dropped).
struct GlyphOrder
{
    std::vector<uint16_t> kept;
    std::vector<int> newNumber;

    void keep(uint16_t glyph)
    {
        if (glyph < newNumber.size() && newNumber[glyph] < 0) {
            newNumber[glyph] = int(kept.size());
            kept.push_back(glyph);
        }
    }
};

GlyphOrder orderGlyphs(const TrueTypeFont& font, const std::vector<CharacterGlyph>& characters)
{
    GlyphOrder order{{}, std::vector<int>(std::size_t(font.glyphCount()), -1)};
    order.keep(0);
    for (const CharacterGlyph& character : characters)
        order.keep(character.second);
    // Components may be composites themselves: they join the end of the list.
    for (std::size_t index = 0; index < order.kept.size(); ++index) {
        const QByteArrayView glyph = font.glyphData(order.kept[index]);
        forEachComponent(glyph, [&](qsizetype at) { order.keep(u16(glyph, at)); });
    }
    return order;
}

struct GlyphTables
{
    QByteArray glyf;
    QByteArray loca;
    QByteArray hmtx;
};

GlyphTables glyphTables(const TrueTypeFont& font, const GlyphOrder& order)
{
    GlyphTables tables;
    for (const uint16_t old : order.kept) {
        append32(tables.loca, uint32_t(tables.glyf.size()));
        QByteArray glyph = font.glyphData(old).toByteArray();
        forEachComponent(glyph, [&](qsizetype at) {
            const uint16_t component = u16(glyph, at); // a broken font may name a glyph it lacks
            put16(glyph, at, component < order.newNumber.size() ? uint16_t(order.newNumber[component]) : 0);
        });
        tables.glyf += glyph;
        tables.glyf.append((4 - tables.glyf.size() % 4) % 4, '\0');
        append16(tables.hmtx, uint16_t(font.advance(old)));
        append16(tables.hmtx, uint16_t(font.leftSideBearing(old)));
    }
    append32(tables.loca, uint32_t(tables.glyf.size()));
    return tables;
}

// A format 4 subtable for Windows Unicode, one segment a character.
QByteArray characterMap(const std::vector<CharacterGlyph>& characters, const GlyphOrder& order)
{
    std::map<uint16_t, uint16_t> mapped;
    for (const auto& [character, glyph] : characters) {
        if (character < 0xFFFF)
            mapped.emplace(uint16_t(character), uint16_t(order.newNumber[glyph]));
    }
    mapped.emplace(0xFFFF, 0); // the closing segment every format 4 table ends with
    const auto segments = uint16_t(mapped.size());
    uint16_t power = 1, log2 = 0;
    while (power * 2 <= segments)
        power *= 2, ++log2;
    QByteArray table;
    for (const uint16_t value : {0, 1, 3, 1}) // version 0, one subtable: Windows (3) Unicode BMP (1)
        append16(table, value);
    append32(table, 12); // where it starts
    for (const int value : {4, 16 + 8 * segments, 0, 2 * segments, 2 * power, int(log2), 2 * (segments - power)})
        append16(table, uint16_t(value));
    for (const auto& entry : mapped)
        append16(table, entry.first); // end codes
    append16(table, 0);
    for (const auto& entry : mapped)
        append16(table, entry.first); // start codes
    for (const auto& [code, glyph] : mapped)
        append16(table, code == 0xFFFF ? 1 : uint16_t(glyph - code));
    for (uint16_t index = 0; index < segments; ++index)
        append16(table, 0); // no range offsets
    return table;
}

// The sum of the table as big-endian 32-bit words, zero-padded.
uint32_t checksum(QByteArrayView table)
{
    uint32_t sum = 0;
    for (qsizetype at = 0; at < table.size(); ++at)
        sum += uint32_t(uint8_t(table[at])) << (8 * (3 - at % 4));
    return sum;
}

// The font file: directory, then each table padded to four bytes, tags in order.
QByteArray assemble(const std::map<QByteArray, QByteArray>& tables)
{
    const auto count = uint16_t(tables.size());
    uint16_t power = 1, log2 = 0;
    while (power * 2 <= count)
        power *= 2, ++log2;
    QByteArray file;
    append32(file, 0x00010000);
    for (const uint16_t value : {count, uint16_t(16 * power), log2, uint16_t(16 * (count - power))})
        append16(file, value);
    qsizetype offset = 12 + 16 * count, headAt = 0;
    for (const auto& [tag, table] : tables) {
        file += tag;
        append32(file, checksum(table));
        append32(file, uint32_t(offset));
        append32(file, uint32_t(table.size()));
        if (tag == "head")
            headAt = offset;
        offset += (table.size() + 3) / 4 * 4;
    }
    for (const auto& entry : tables)
        file += entry.second + QByteArray((4 - entry.second.size() % 4) % 4, '\0');
    put32(file, headAt + 8, 0xB1B0AFBA - checksum(file));
    return file;
}

} // namespace

QByteArray subsetTrueType(const TrueTypeFont& font, const std::vector<CharacterGlyph>& characters)
{
    const GlyphOrder order = orderGlyphs(font, characters);
    GlyphTables glyphs = glyphTables(font, order);
    const auto glyphCount = uint16_t(order.kept.size());
    std::map<QByteArray, QByteArray> tables;
    tables["head"] = font.table("head").toByteArray();
    put32(tables["head"], 8, 0);  // checkSumAdjustment, set once the file is whole
    put16(tables["head"], 50, 1); // long offsets in 'loca'
    tables["hhea"] = font.table("hhea").toByteArray();
    put16(tables["hhea"], 34, glyphCount);
    tables["maxp"] = font.table("maxp").toByteArray();
    put16(tables["maxp"], 4, glyphCount);
    tables["glyf"] = std::move(glyphs.glyf);
    tables["loca"] = std::move(glyphs.loca);
    tables["hmtx"] = std::move(glyphs.hmtx);
    tables["cmap"] = characterMap(characters, order);
    for (const char* hinting : {"cvt ", "fpgm", "prep"}) {
        if (const QByteArrayView table = font.table(hinting); !table.isEmpty())
            tables[QByteArray(hinting)] = table.toByteArray();
    }
    return assemble(tables);
}

} // namespace quillet
