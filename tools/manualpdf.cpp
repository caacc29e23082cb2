// Turns the user manual's Markdown into the PDF that Help > User Manual opens,
// with Qt alone, so that the build needs no document toolchain.
//   quillet-manualpdf INPUT.md OUTPUT.pdf VERSION
// "@VERSION@" in the text becomes VERSION; a paragraph "[contents]" becomes a
// list of the chapters (level-2 headings) with their page numbers.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QTextTable>

#include <cmath>

namespace {

const QColor headingColour(0x1d, 0x4a, 0x63);
constexpr int resolution = 300;   // device units per inch
constexpr qreal marginSide = 0.9; // inches
constexpr qreal marginTopBottom = 0.8;

struct Page
{
    QRectF body; // text area in device units
    int footerBaseline = 0;
};

Page pageGeometry(const QPdfWriter& writer)
{
    const qreal side = marginSide * resolution;
    const qreal topBottom = marginTopBottom * resolution;
    Page page;
    page.body = QRectF(side, topBottom, writer.width() - 2 * side, writer.height() - 2 * topBottom);
    page.footerBaseline = int(writer.height() - topBottom / 2);
    return page;
}

// Headings in the manual's colour; each chapter starts on a new page.
void styleHeadings(QTextDocument& document)
{
    static const qreal sizes[] = {0, 24, 17, 13, 11, 10, 10};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 6)
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat = block.blockFormat();
        blockFormat.setTopMargin(level <= 2 ? 6 : 12);
        blockFormat.setBottomMargin(6);
        if (level == 2)
            blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(blockFormat);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat charFormat;
        charFormat.setFontPointSize(sizes[level]);
        charFormat.setFontWeight(QFont::Bold);
        charFormat.setForeground(headingColour);
        cursor.mergeCharFormat(charFormat);
    }
}

// Screenshots at most as wide as the text.
void fitImages(QTextDocument& document, qreal maxWidth)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull())
                continue;
            // Sizes are given at 96 dots per inch, as the screenshots are taken.
            const qreal width = std::min(qreal(image.width()), maxWidth * 96.0 / resolution);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Tables with room in their cells, light rules and a shaded heading row.
void styleTables(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        // In 96-dots-per-inch units, scaled to the device.
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorder(0.5);
        format.setBorderBrush(QColor(0xb0, 0xb8, 0xbe));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat cellFormat = cell.format();
            cellFormat.setBackground(QColor(0xe6, 0xee, 0xf2));
            cell.setFormat(cellFormat);
        }
    }
}

QList<QTextBlock> chapters(const QTextDocument& document)
{
    QList<QTextBlock> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == 2)
            found << block;
    return found;
}

QTextBlock findMarker(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text().trimmed() == QLatin1String("[contents]"))
            return block;
    return {};
}

// Edits after setMarkdown() are laid out incrementally, and list items end up
// overlapping; a full layout puts every block in its place.
void relayout(QTextDocument& document)
{
    document.markContentsDirty(0, document.characterCount());
}

int pageOf(const QTextDocument& document, const QTextBlock& block)
{
    const qreal top = document.documentLayout()->blockBoundingRect(block).top();
    return int(std::floor(top / document.pageSize().height())) + 1;
}

// Writes "chapter<TAB>page" lines in place of the marker. The numbers are worked
// out after the lines are in, as the lines themselves take room.
void insertContents(QTextDocument& document, qreal width)
{
    const QTextBlock marker = findMarker(document);
    const QList<QTextBlock> chapterBlocks = chapters(document);
    if (!marker.isValid())
        return;
    QTextCursor cursor(marker);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();
    QTextBlockFormat lineFormat;
    // Tab stops are given at 96 dots per inch and scaled to the device. A stop at
    // (or just short of) the edge pushes the number onto a line of its own, as the
    // document margin and the number's width take room; 3% short of it is safe.
    const qreal tabStop = width * 0.97 * 96.0 / resolution;
    lineFormat.setTabPositions({QTextOption::Tab(tabStop, QTextOption::RightTab)});
    lineFormat.setBottomMargin(3);
    QList<int> numberPositions;
    for (const QTextBlock& chapter : chapterBlocks) {
        cursor.insertBlock(lineFormat, QTextCharFormat());
        cursor.insertText(chapter.text() + QLatin1Char('\t'));
        numberPositions << cursor.position();
        cursor.insertText(QStringLiteral("0"));
    }
    relayout(document);
    for (qsizetype i = chapterBlocks.size() - 1; i >= 0; --i) {
        QTextCursor number(&document);
        number.setPosition(numberPositions[i]);
        number.setPosition(numberPositions[i] + 1, QTextCursor::KeepAnchor);
        number.insertText(QString::number(pageOf(document, chapterBlocks[i])));
    }
}

bool paintPages(QTextDocument& document, QPdfWriter& writer, const Page& page)
{
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;
    QFont footerFont(QStringLiteral("Liberation Sans"));
    footerFont.setPointSizeF(8.5);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        const QRectF clip(0, index * page.body.height(), page.body.width(), page.body.height());
        painter.save();
        painter.translate(page.body.left(), page.body.top() - clip.top());
        document.drawContents(&painter, clip);
        painter.restore();
        if (index == 0)
            continue;
        painter.setFont(footerFont);
        painter.setPen(Qt::darkGray);
        const QString footer = QStringLiteral("Quillet User Manual  \u2014  page %1 of %2").arg(index + 1).arg(pages);
        painter.drawText(QRectF(page.body.left(), page.footerBaseline - 60, page.body.width(), 80),
                         Qt::AlignHCenter | Qt::AlignBottom, footer);
    }
    return painter.end();
}

QString readText(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

void setUpWriter(QPdfWriter& writer)
{
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(resolution);
    writer.setTitle(QStringLiteral("Quillet User Manual"));
    writer.setCreator(QStringLiteral("Quillet"));
}

// Lays the manual out on the writer's pages; images are found beside the source.
void buildDocument(QTextDocument& document, const QString& markdown, const QString& sourcePath, QPdfWriter& writer,
                   const Page& page)
{
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(sourcePath).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setPageSize(page.body.size());
    styleHeadings(document);
    styleTables(document);
    fitImages(document, page.body.width());
    insertContents(document, page.body.width());
    relayout(document);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 4) {
        err << "usage: quillet-manualpdf INPUT.md OUTPUT.pdf VERSION\n";
        return 2;
    }
    QString error;
    QString markdown = readText(args[1], &error);
    if (!error.isEmpty()) {
        err << "quillet-manualpdf: cannot read " << args[1] << ": " << error << '\n';
        return 1;
    }
    markdown.replace(QLatin1String("@VERSION@"), args[3]);

    QPdfWriter writer(args[2]);
    setUpWriter(writer);
    const Page page = pageGeometry(writer);
    QTextDocument document;
    buildDocument(document, markdown, args[1], writer, page);
    if (!paintPages(document, writer, page)) {
        err << "quillet-manualpdf: cannot write " << args[2] << '\n';
        return 1;
    }
    return 0;
}
