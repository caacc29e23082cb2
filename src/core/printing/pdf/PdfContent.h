#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPointF>
#include <QRectF>
#include <QStringView>

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// What is drawn on one page, as the operators of a PDF content stream. Positions
// are in points from the page's top-left corner, as the layout places them. Text
// is set in simple fonts with WinAnsiEncoding: one byte a character, a run of
// characters one string at one position.
class PdfContent
{
public:
    // Starts an empty page of this height.
    void reset(double pageHeight);

    // The font of the text from here on: an index the writer gave, the size in
    // points, and the space added after each character (points), which sets a
    // fixed-pitch font's pitch.
    void setFont(int font, double size, double characterSpacing = 0);
    // A run of text whose baseline starts at `origin`. A character that
    // Windows-1252 lacks is folded as in contacts files ("ł" -> "l", else "?").
    void showText(QPointF origin, QStringView text);
    void showEncodedText(QPointF origin, QByteArrayView winAnsi);

    // Lines from here on are this wide, with square ends and bevelled corners.
    void setLineWidth(double width);
    void strokeLine(QPointF from, QPointF to);
    void strokeRect(const QRectF& rect);
    // A rectangle with quarter-circle corners of this radius (none: square).
    void strokeRoundedRect(const QRectF& rect, double radius);

    // The operators so far, any text object closed; valid until the next change.
    QByteArrayView finish();
    // For each font index, the codes this page shows in it.
    const std::vector<std::bitset<256>>& codesUsed() const { return m_codesUsed; }

private:
    void beginText();
    void endText();
    void appendNumber(double value);
    void appendThousandths(int64_t thousandths);
    void appendPoint(QPointF point);
    void appendCurve(QPointF control1, QPointF control2, QPointF end);

    std::string m_bytes; // a plain buffer: most of a long job's time is spent appending to it
    QByteArray m_encoded;
    std::vector<std::bitset<256>> m_codesUsed;
    double m_pageHeight = 0;
    bool m_inText = false;
    bool m_fontPending = false;
    int m_font = -1;
    double m_size = 0;
    double m_spacing = 0;
    double m_writtenSpacing = 0;
    int64_t m_lineX = 0; // the text line's start in thousandths of a point
    int64_t m_lineY = 0;
};

} // namespace quillet
