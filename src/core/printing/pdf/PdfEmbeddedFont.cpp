#include "core/printing/pdf/PdfEmbeddedFont.h"

#include "core/common/Cp1252.h"
#include "core/printing/pdf/PdfSyntax.h"
#include "core/printing/pdf/TrueTypeFont.h"
#include "core/printing/pdf/TrueTypeSubset.h"

#include <QCryptographicHash>

#include <cmath>

namespace quillet {

using pdfsyntax::number;

namespace {

// The character a WinAnsiEncoding code names. Two codes name a glyph another code
// names too: 0xA0 "space" and 0xAD "hyphen".
char32_t winAnsiCharacter(int code)
{
    return code == 0xA0 ? U' ' : code == 0xAD ? U'-' : char32_t(cp1252::charFor(static_cast<unsigned char>(code)));
}

int firstCode(const std::bitset<256>& codes)
{
    int code = 0;
    while (code < 255 && !codes.test(std::size_t(code)))
        ++code;
    return code;
}

int lastCode(const std::bitset<256>& codes)
{
    int code = 255;
    while (code > 0 && !codes.test(std::size_t(code)))
        --code;
    return code;
}

} // namespace

PdfEmbeddedFont::PdfEmbeddedFont(std::shared_ptr<const TrueTypeFont> font) : m_font(std::move(font)) {}

double PdfEmbeddedFont::toThousandths(int fontUnits) const
{
    return fontUnits * 1000.0 / m_font->unitsPerEm();
}

// Six capital letters that name this subset (the same glyphs give the same name),
// so that two subsets of one font in a file are told apart.
QByteArray PdfEmbeddedFont::subsetName() const
{
    const QByteArray codes = QByteArray::fromStdString(m_codes.to_string());
    const QByteArray hash = QCryptographicHash::hash(codes + m_font->postScriptName(), QCryptographicHash::Sha1);
    QByteArray tag(6, 'A');
    for (int index = 0; index < 6; ++index)
        tag[index] = char('A' + static_cast<unsigned char>(hash[index]) % 26);
    return tag + '+' + m_font->postScriptName();
}

QByteArray PdfEmbeddedFont::fontDictionary(int descriptorObject) const
{
    const int first = firstCode(m_codes), last = lastCode(m_codes);
    QByteArray widths;
    for (int code = first; code <= last; ++code) {
        const bool used = m_codes.test(std::size_t(code));
        const int glyph = used ? m_font->glyphFor(cp1252::charFor(static_cast<unsigned char>(code))) : 0;
        widths += (code > first ? " " : "") + (used ? number(toThousandths(m_font->advance(uint16_t(glyph)))) : "0");
    }
    return "<</Type/Font/Subtype/TrueType/BaseFont/" + subsetName() + "/FirstChar " + QByteArray::number(first) +
           "/LastChar " + QByteArray::number(last) + "/Widths[" + widths +
           "]/Encoding/WinAnsiEncoding/FontDescriptor " + QByteArray::number(descriptorObject) + " 0 R>>";
}

QByteArray PdfEmbeddedFont::descriptor(int fontFileObject) const
{
    const TrueTypeFont& font = *m_font;
    const int fixedPitch = 1, nonsymbolic = 32;
    const int flags = (font.isFixedPitch() ? fixedPitch : 0) | nonsymbolic;
    const auto bounds = font.bounds();
    // The stem width is not in a TrueType font; this estimate from the weight is the usual one.
    const double stem = 50 + (font.weight() / 65.0) * (font.weight() / 65.0);
    return "<</Type/FontDescriptor/FontName/" + subsetName() + "/Flags " + QByteArray::number(flags) + "/FontBBox[" +
           number(toThousandths(bounds[0])) + ' ' + number(toThousandths(bounds[1])) + ' ' +
           number(toThousandths(bounds[2])) + ' ' + number(toThousandths(bounds[3])) + "]/ItalicAngle " +
           number(font.italicAngle()) + "/Ascent " + number(toThousandths(font.ascent())) + "/Descent " +
           number(toThousandths(font.descent())) + "/CapHeight " + number(toThousandths(font.capHeight())) + "/StemV " +
           number(std::round(stem)) + "/FontWeight " + QByteArray::number(font.weight()) + "/FontFile2 " +
           QByteArray::number(fontFileObject) + " 0 R>>";
}

QByteArray PdfEmbeddedFont::fontFile() const
{
    std::vector<CharacterGlyph> characters;
    for (int code = 0; code < 256; ++code) {
        if (!m_codes.test(std::size_t(code)))
            continue;
        const char32_t character = cp1252::charFor(static_cast<unsigned char>(code));
        const uint16_t glyph = m_font->glyphFor(character);
        characters.emplace_back(character, glyph);
        // A reader may look the glyph up by the name the encoding gives the code.
        if (winAnsiCharacter(code) != character)
            characters.emplace_back(winAnsiCharacter(code), glyph);
    }
    return subsetTrueType(*m_font, characters);
}

} // namespace quillet
