#include "core/printing/pdf/PdfWriter.h"

#include "core/printing/pdf/PdfSyntax.h"
#include "core/printing/pdf/TrueTypeFont.h"

namespace quillet {

namespace {

enum FixedObject { catalogObject = 1, pagesObject = 2, infoObject = 3 };

// The font file is written once: it gets zlib's best.
constexpr int fontFileCompression = 9;

QByteArray reference(int object)
{
    return QByteArray::number(object) + " 0 R";
}

} // namespace

PdfWriter::PdfWriter(QIODevice& device, PdfDocumentInfo info, int compression)
    : m_output(device), m_info(std::move(info)), m_deflater(compression), m_offsets(infoObject + 1, 0)
{}

PdfWriter::~PdfWriter() = default;

int PdfWriter::addFont(std::shared_ptr<const TrueTypeFont> font)
{
    m_fonts.emplace_back(std::move(font));
    return int(m_fonts.size()) - 1;
}

int PdfWriter::newObject()
{
    m_offsets.push_back(0);
    return int(m_offsets.size()) - 1;
}

void PdfWriter::beginObject(int number)
{
    m_offsets[std::size_t(number)] = m_output.position();
    m_output << qint64(number) << " 0 obj\n";
}

void PdfWriter::writeStream(int number, QByteArrayView dictionaryEntries, QByteArrayView bytes, bool compress)
{
    const QByteArrayView body = compress ? m_deflater.deflate(bytes) : bytes;
    beginObject(number);
    m_output << "<</Length " << qint64(body.size()) << (compress ? "/Filter/FlateDecode" : "") << dictionaryEntries
             << ">>\nstream\n"
             << body << "\nendstream\nendobj\n";
}

void PdfWriter::writeHeader()
{
    // The second line's bytes above 127 tell transfer programs the file is binary.
    m_output << "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
}

PdfContent& PdfWriter::beginPage(QSizeF size)
{
    if (m_inPage)
        static_cast<void>(endPage());
    if (m_pages.empty())
        writeHeader();
    m_pageSize = size;
    m_content.reset(size.height());
    m_inPage = true;
    return m_content;
}

Status PdfWriter::endPage()
{
    if (!m_inPage)
        return m_output.status();
    m_inPage = false;
    QByteArray fonts;
    const auto& codesUsed = m_content.codesUsed();
    for (std::size_t index = 0; index < codesUsed.size() && index < m_fonts.size(); ++index) {
        if (codesUsed[index].none())
            continue;
        PdfEmbeddedFont& font = m_fonts[index];
        font.addCodes(codesUsed[index]);
        if (font.objectNumber() == 0)
            font.setObjectNumber(newObject());
        fonts += "/F" + QByteArray::number(qsizetype(index) + 1) + ' ' + reference(font.objectNumber());
    }
    const int contents = newObject();
    writeStream(contents, {}, m_content.finish());
    const int page = newObject();
    beginObject(page);
    m_output << "<</Type/Page/Parent " << reference(pagesObject) << "/MediaBox[0 0 "
             << pdfsyntax::number(m_pageSize.width()) << ' ' << pdfsyntax::number(m_pageSize.height())
             << "]/Resources<</Font<<" << fonts << ">>/ProcSet[/PDF/Text]>>/Contents " << reference(contents)
             << ">>\nendobj\n";
    m_pages.push_back(page);
    return m_output.status();
}

void PdfWriter::writeFonts()
{
    PdfDeflater deflater(fontFileCompression);
    for (const PdfEmbeddedFont& font : m_fonts) {
        if (!font.isUsed())
            continue;
        const int descriptor = newObject(), file = newObject();
        beginObject(font.objectNumber());
        m_output << font.fontDictionary(descriptor) << "\nendobj\n";
        beginObject(descriptor);
        m_output << font.descriptor(file) << "\nendobj\n";
        const QByteArray fontFile = font.fontFile();
        const QByteArrayView packed = deflater.deflate(fontFile);
        beginObject(file);
        m_output << "<</Length " << qint64(packed.size()) << "/Filter/FlateDecode/Length1 " << qint64(fontFile.size())
                 << ">>\nstream\n"
                 << packed << "\nendstream\nendobj\n";
    }
}

void PdfWriter::writePageTree()
{
    beginObject(pagesObject);
    m_output << "<</Type/Pages/Count " << qint64(m_pages.size()) << "/Kids[";
    for (std::size_t index = 0; index < m_pages.size(); ++index)
        m_output << (index == 0 ? "" : " ") << reference(m_pages[index]);
    m_output << "]>>\nendobj\n";
    beginObject(catalogObject);
    m_output << "<</Type/Catalog/Pages " << reference(pagesObject) << ">>\nendobj\n";
    beginObject(infoObject);
    m_output << "<<";
    if (!m_info.title.isEmpty())
        m_output << "/Title" << pdfsyntax::textString(m_info.title);
    m_output << "/Creator" << pdfsyntax::textString(m_info.creator) << "/Producer"
             << pdfsyntax::textString(m_info.creator) << "/CreationDate" << pdfsyntax::date(m_info.created)
             << ">>\nendobj\n";
}

void PdfWriter::writeTrailer()
{
    const qint64 table = m_output.position();
    m_output << "xref\n0 " << qint64(m_offsets.size()) << "\n0000000000 65535 f \n";
    for (std::size_t object = 1; object < m_offsets.size(); ++object) {
        const QByteArray offset = QByteArray::number(m_offsets[object]);
        m_output << QByteArray(10 - offset.size(), '0') << offset << " 00000 n \n";
    }
    m_output << "trailer\n<</Size " << qint64(m_offsets.size()) << "/Root " << reference(catalogObject) << "/Info "
             << reference(infoObject) << ">>\nstartxref\n"
             << table << "\n%%EOF\n";
}

Status PdfWriter::finish()
{
    if (m_inPage)
        static_cast<void>(endPage());
    if (m_pages.empty() || m_finished)
        return m_output.flush();
    m_finished = true;
    writeFonts();
    writePageTree();
    writeTrailer();
    return m_output.flush();
}

} // namespace quillet
