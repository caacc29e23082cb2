#pragma once

#include "core/common/AppError.h"
#include "core/printing/pdf/PdfContent.h"
#include "core/printing/pdf/PdfDeflater.h"
#include "core/printing/pdf/PdfEmbeddedFont.h"
#include "core/printing/pdf/PdfOutput.h"

#include <QDateTime>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;

namespace quillet {

class TrueTypeFont;

struct PdfDocumentInfo
{
    QString title;
    QString creator = QStringLiteral("Quillet");
    QDateTime created = QDateTime::currentDateTimeUtc();
};

// Writes a PDF page by page to a device: each page's content (compressed) and
// page object go out when the page ends, so a document of any length holds one
// page's content and the objects' offsets. Fonts are embedded at the end, each a
// subset of the glyphs the pages showed in it.
//
//     PdfWriter writer(file, {title});
//     const int mono = writer.addFont(font);
//     PdfContent& page = writer.beginPage({612, 792});
//     page.setFont(mono, 10);
//     page.showText({36, 48}, u"John Smith");
//     writer.endPage();
//     Status done = writer.finish();
//
// Nothing reaches the device before the first page begins, and a document
// finished without pages writes nothing.
class PdfWriter
{
public:
    // zlib's level for page contents, from the benchmark of 100,000 labels: levels
    // 1 to 3 cost the same (3.0, 2.8 and 2.8 MB), level 6 adds nine-tenths to the
    // compressing for 8% fewer bytes.
    static constexpr int defaultCompression = 3;

    PdfWriter(QIODevice& device, PdfDocumentInfo info, int compression = defaultCompression);
    ~PdfWriter();

    // A font for the pages' text; its index is what PdfContent::setFont takes.
    int addFont(std::shared_ptr<const TrueTypeFont> font);

    // Starts a page of this size in points; draw on it until endPage.
    PdfContent& beginPage(QSizeF size);
    // Writes the page out. The first failed write, so a long job can stop early.
    Status endPage();
    // Writes the fonts, the page tree, the document information and the
    // cross-reference table, and hands everything to the device.
    Status finish();

    int pageCount() const { return int(m_pages.size()); }

private:
    int newObject();
    void beginObject(int number);
    void writeStream(int number, QByteArrayView dictionaryEntries, QByteArrayView bytes, bool compress = true);
    void writeHeader();
    void writeFonts();
    void writePageTree();
    void writeTrailer();

    PdfOutput m_output;
    PdfDocumentInfo m_info;
    PdfDeflater m_deflater;
    PdfContent m_content;
    std::vector<PdfEmbeddedFont> m_fonts;
    std::vector<qint64> m_offsets; // by object number; [0] unused
    std::vector<int> m_pages;      // page objects
    QSizeF m_pageSize;
    bool m_inPage = false;
    bool m_finished = false;
};

} // namespace quillet
