#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillet {

// A TrueType font file held in memory, read as far as a PDF needs it: its metrics,
// the glyph for a character, each glyph's outline and advance, and the tables a
// subset copies. Values are in font units (unitsPerEm to the em).
class TrueTypeFont
{
public:
    // Nothing when the bytes are not a TrueType font with glyph outlines (an
    // OpenType font with CFF outlines is not one) or a table runs past the end.
    static std::optional<TrueTypeFont> fromData(QByteArray data);
    static std::optional<TrueTypeFont> fromFile(const QString& path);

    // The PostScript name ("LiberationMono-Bold"), or the family name without spaces.
    QByteArray postScriptName() const { return m_postScriptName; }
    int unitsPerEm() const { return m_unitsPerEm; }
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; } // negative, below the baseline
    int capHeight() const { return m_capHeight; }
    std::array<int, 4> bounds() const { return m_bounds; } // xMin, yMin, xMax, yMax
    double italicAngle() const { return m_italicAngle; }
    bool isFixedPitch() const { return m_fixedPitch; }
    int weight() const { return m_weight; } // 400 regular, 700 bold

    int glyphCount() const { return m_glyphCount; }
    // The glyph for a character, 0 (.notdef) when the font has none.
    uint16_t glyphFor(char32_t codePoint) const;
    int advance(uint16_t glyph) const;
    int leftSideBearing(uint16_t glyph) const;
    // The glyph's outline as stored in 'glyf', empty for a glyph without one.
    QByteArrayView glyphData(uint16_t glyph) const;
    // A whole table by its tag ("cvt ", "fpgm"), empty when the font has none.
    QByteArrayView table(const char* tag) const;

private:
    // Where a table or subtable sits in the file; kept as offsets, not views, so
    // that a copied font never points into another's bytes.
    struct Span
    {
        qsizetype offset = 0;
        qsizetype length = 0;
    };
    struct TableEntry
    {
        uint32_t tag = 0;
        Span span;
    };

    bool readTables();
    bool readMetrics();
    bool readCharacterMap();
    void readNames();
    QByteArrayView view(Span span) const { return QByteArrayView(m_data).sliced(span.offset, span.length); }
    Span tableSpan(const char* tag) const;
    uint16_t glyphFromFormat4(char32_t codePoint) const;
    uint16_t glyphFromFormat12(char32_t codePoint) const;
    qsizetype glyphOffset(uint16_t glyph) const;

    QByteArray m_data;
    std::vector<TableEntry> m_tables;
    Span m_cmap; // the Unicode subtable used
    Span m_hmtx;
    Span m_loca;
    Span m_glyf;
    QByteArray m_postScriptName;
    int m_unitsPerEm = 1000;
    int m_ascent = 0;
    int m_descent = 0;
    int m_capHeight = 0;
    std::array<int, 4> m_bounds{};
    double m_italicAngle = 0;
    bool m_fixedPitch = false;
    int m_weight = 400;
    int m_glyphCount = 0;
    int m_horizontalMetrics = 0;
    bool m_longOffsets = false;
};

} // namespace quillet
