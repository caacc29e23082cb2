#pragma once

#include <QByteArray>

#include <cstdint>
#include <utility>
#include <vector>

namespace quillet {

class TrueTypeFont;

// A character and the glyph of `font` that draws it.
using CharacterGlyph = std::pair<char32_t, uint16_t>;

// A font file with only the glyphs these characters need (.notdef, their glyphs
// and the parts of composite glyphs), renumbered from 0 in that order, a Unicode
// character map for the characters, and the original's hinting tables; what a PDF
// embeds so that a page of labels does not carry the whole font.
QByteArray subsetTrueType(const TrueTypeFont& font, const std::vector<CharacterGlyph>& characters);

} // namespace quillet
