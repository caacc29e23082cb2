#pragma once

#include <QByteArray>

#include <bitset>
#include <memory>

namespace quillet {

class TrueTypeFont;

// A TrueType font as a PDF document uses it: a simple font with WinAnsiEncoding
// whose file holds only the glyphs of the codes shown. Codes are gathered while
// the pages are written; the font's objects are written once, at the end.
class PdfEmbeddedFont
{
public:
    explicit PdfEmbeddedFont(std::shared_ptr<const TrueTypeFont> font);

    const TrueTypeFont& font() const { return *m_font; }
    void addCodes(const std::bitset<256>& codes) { m_codes |= codes; }
    bool isUsed() const { return m_codes.any(); }

    // The font dictionary's object number, 0 until the writer gives it one.
    int objectNumber() const { return m_objectNumber; }
    void setObjectNumber(int number) { m_objectNumber = number; }

    // The three objects: the font dictionary, its descriptor and the font file (uncompressed).
    QByteArray fontDictionary(int descriptorObject) const;
    QByteArray descriptor(int fontFileObject) const;
    QByteArray fontFile() const;

private:
    QByteArray subsetName() const;
    double toThousandths(int fontUnits) const;

    std::shared_ptr<const TrueTypeFont> m_font;
    std::bitset<256> m_codes;
    int m_objectNumber = 0;
};

} // namespace quillet
