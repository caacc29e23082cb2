#include "core/printing/pdf/PdfContent.h"

#include "core/common/Cp1252.h"
#include "core/printing/pdf/PdfSyntax.h"

#include <cmath>

namespace quillet {

namespace {

// The text as Windows-1252 bytes; false when a character is not in the code page.
bool encodeHeld(QStringView text, QByteArray& bytes)
{
    bytes.resize(text.size());
    char* out = bytes.data();
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const int byte = unit < 0x80 ? int(unit) : cp1252::byteFor(unit);
        if (byte < 0 || c.isSurrogate())
            return false;
        *out++ = char(byte);
    }
    return true;
}

} // namespace

void PdfContent::appendThousandths(int64_t thousandths)
{
    char text[24];
    m_bytes.append(text, std::size_t(pdfsyntax::spellThousandths(thousandths, text)));
}

void PdfContent::appendNumber(double value)
{
    appendThousandths(std::llround(value * 1000));
}

void PdfContent::reset(double pageHeight)
{
    m_bytes.clear();
    for (auto& codes : m_codesUsed)
        codes.reset();
    m_pageHeight = pageHeight;
    m_inText = false;
    m_fontPending = m_font >= 0;
    m_writtenSpacing = 0;
}

void PdfContent::setFont(int font, double size, double characterSpacing)
{
    if (font == m_font && size == m_size && characterSpacing == m_spacing)
        return;
    m_font = font;
    m_size = size;
    m_spacing = characterSpacing;
    m_fontPending = true;
    if (std::size_t(font) >= m_codesUsed.size())
        m_codesUsed.resize(std::size_t(font) + 1);
}

void PdfContent::showText(QPointF origin, QStringView text)
{
    if (!encodeHeld(text, m_encoded)) {
        const QString folded = cp1252::fold(text.toString());
        m_encoded = cp1252::encode(folded);
    }
    showEncodedText(origin, m_encoded);
}

void PdfContent::showEncodedText(QPointF origin, QByteArrayView winAnsi)
{
    if (m_font < 0 || winAnsi.isEmpty())
        return;
    beginText();
    if (m_fontPending) {
        m_bytes += "/F";
        appendThousandths(int64_t(m_font + 1) * 1000);
        m_bytes += ' ';
        appendNumber(m_size);
        m_bytes += " Tf\n";
        if (m_spacing != m_writtenSpacing) {
            appendNumber(m_spacing);
            m_bytes += " Tc\n";
            m_writtenSpacing = m_spacing;
        }
        m_fontPending = false;
    }
    // Each run moves from the start of the one before, so that no rounding adds up.
    const int64_t x = std::llround(origin.x() * 1000), y = std::llround((m_pageHeight - origin.y()) * 1000);
    appendThousandths(x - m_lineX);
    m_bytes += ' ';
    appendThousandths(y - m_lineY);
    m_bytes += " Td";
    m_lineX = x;
    m_lineY = y;
    pdfsyntax::appendLiteralString(m_bytes, winAnsi);
    m_bytes += "Tj\n";
    std::bitset<256>& codes = m_codesUsed[std::size_t(m_font)];
    for (const char c : winAnsi)
        codes.set(static_cast<unsigned char>(c));
}

void PdfContent::beginText()
{
    if (m_inText)
        return;
    m_bytes += "BT\n";
    m_inText = true;
    m_lineX = m_lineY = 0;
}

void PdfContent::endText()
{
    if (!m_inText)
        return;
    m_bytes += "ET\n";
    m_inText = false;
}

void PdfContent::setLineWidth(double width)
{
    endText();
    appendNumber(width);
    m_bytes += " w 2 J 2 j\n";
}

void PdfContent::appendPoint(QPointF point)
{
    appendNumber(point.x());
    m_bytes += ' ';
    appendNumber(m_pageHeight - point.y());
    m_bytes += ' ';
}

void PdfContent::strokeLine(QPointF from, QPointF to)
{
    endText();
    appendPoint(from);
    m_bytes += "m ";
    appendPoint(to);
    m_bytes += "l S\n";
}

void PdfContent::strokeRect(const QRectF& rect)
{
    endText();
    appendPoint(rect.bottomLeft());
    appendNumber(rect.width());
    m_bytes += ' ';
    appendNumber(rect.height());
    m_bytes += " re S\n";
}

void PdfContent::appendCurve(QPointF control1, QPointF control2, QPointF end)
{
    appendPoint(control1);
    appendPoint(control2);
    appendPoint(end);
    m_bytes += "c ";
}

void PdfContent::strokeRoundedRect(const QRectF& rect, double radius)
{
    radius = std::min({radius, rect.width() / 2, rect.height() / 2});
    if (radius <= 0) {
        strokeRect(rect);
        return;
    }
    endText();
    // A quarter circle as one Bézier curve: the control points this far along the tangents.
    const double k = radius * 0.5522847498;
    const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    appendPoint({l + radius, t});
    m_bytes += "m ";
    appendPoint({r - radius, t});
    m_bytes += "l ";
    appendCurve({r - radius + k, t}, {r, t + radius - k}, {r, t + radius});
    appendPoint({r, b - radius});
    m_bytes += "l ";
    appendCurve({r, b - radius + k}, {r - radius + k, b}, {r - radius, b});
    appendPoint({l + radius, b});
    m_bytes += "l ";
    appendCurve({l + radius - k, b}, {l, b - radius + k}, {l, b - radius});
    appendPoint({l, t + radius});
    m_bytes += "l ";
    appendCurve({l, t + radius - k}, {l + radius - k, t}, {l + radius, t});
    m_bytes += "h S\n";
}

QByteArrayView PdfContent::finish()
{
    endText();
    return QByteArrayView(m_bytes.data(), qsizetype(m_bytes.size()));
}

} // namespace quillet
