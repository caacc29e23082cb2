#include "cli/PrintOutput.h"

#include "cli/Console.h"
#include "cli/OptionValues.h"
#include "cli/StandardOutputPdfTarget.h"
#include "cli/TerminalTranscriptTarget.h"
#include "output/CupsPrintTarget.h"
#include "output/PdfPrintTarget.h"

namespace quillet::cli {

namespace {

// Constant: verbs declare their options during static initialisation.
constexpr QLatin1String printerName("printer");
constexpr QLatin1String pdfName("pdf");
constexpr QLatin1String gridName("grid");
constexpr QLatin1String copiesName("copies");
constexpr QLatin1String offsetName("offset");
constexpr QLatin1String standardOutput("-");

Result<QString> pdfPath(const QString& value)
{
    if (value.isEmpty())
        return usageProblem(QStringLiteral("--pdf needs a file name, or - for standard output"));
    return value;
}

} // namespace

QList<QCommandLineOption> PrintOutput::options(Offset offset)
{
    QList<QCommandLineOption> options{
        {{QStringLiteral("p"), printerName}, QStringLiteral("print on the CUPS queue NAME"), QStringLiteral("NAME")},
        {pdfName,
         QStringLiteral("write a PDF file on the job's paper; further copies go to FILE-2.pdf, ...;\n"
                        "- writes the PDF on standard output (one copy only)"),
         QStringLiteral("FILE")},
        {{QStringLiteral("g"), gridName}, QStringLiteral("write the text-grid transcript on standard output")},
        {{QStringLiteral("c"), copiesName},
         QStringLiteral("print K copies, each its own job (1 to %1, default 1)").arg(maxCopies),
         QStringLiteral("K")},
    };
    if (offset == Offset::Accepted) {
        options << QCommandLineOption(offsetName,
                                      QStringLiteral("shift the whole page X mm right and Y mm down (each -10 to 10);\n"
                                                     "without it a printer job takes the printer's stored offset"),
                                      QStringLiteral("X,Y"));
    }
    return options;
}

Result<PrintOutput> PrintOutput::fromArgs(const QCommandLineParser& args, Offset offset)
{
    PrintOutput output;
    const int destinations = int(args.isSet(printerName)) + int(args.isSet(pdfName)) + int(args.isSet(gridName));
    if (destinations == 0)
        return usageProblem(QStringLiteral("say where to print: --printer NAME, --pdf FILE or --grid"));
    if (destinations > 1)
        return usageProblem(QStringLiteral("give only one of --printer, --pdf and --grid"));
    if (args.isSet(printerName)) {
        const Result<QString> printer = nameValue(QStringLiteral("--printer"), args.value(printerName));
        if (!printer)
            return printer.status();
        output.m_destination = Destination::Printer;
        output.m_printer = *printer;
    } else if (args.isSet(pdfName)) {
        const Result<QString> pdf = pdfPath(args.value(pdfName));
        if (!pdf)
            return pdf.status();
        output.m_destination = Destination::Pdf;
        output.m_pdf = *pdf;
    }
    if (args.isSet(copiesName)) {
        const Result<int> copies = copiesValue(args.value(copiesName));
        if (!copies)
            return copies.status();
        output.m_copies = *copies;
    }
    if (output.m_pdf == standardOutput && output.m_copies > 1)
        return usageProblem(
            QStringLiteral("--pdf - writes one PDF on standard output: give --copies 1 or a file name"));
    if (offset == Offset::Accepted && args.isSet(offsetName)) {
        const Result<QPointF> shift = offsetValue(args.value(offsetName));
        if (!shift)
            return shift.status();
        output.m_offset = *shift;
    }
    return output;
}

PrintChoice PrintOutput::choice() const
{
    PrintChoice choice;
    choice.cancelled = false;
    choice.printerName = m_printer;
    choice.copies = m_copies;
    choice.offsetMm = m_offset;
    return choice;
}

int PrintOutput::run(const std::function<Status(const PrintChoice&, PrintTarget&)>& print) const
{
    Status status;
    if (m_destination == Destination::Grid) {
        TerminalTranscriptTarget target;
        status = print(choice(), target);
        if (status)
            console::write(target.text().toUtf8());
    } else if (m_destination == Destination::Pdf && m_pdf == standardOutput) {
        StandardOutputPdfTarget target;
        status = print(choice(), target);
    } else if (m_destination == Destination::Pdf) {
        PdfPrintTarget target(m_pdf);
        status = print(choice(), target);
    } else {
        CupsPrintTarget target;
        status = print(choice(), target);
    }
    if (status)
        return console::exitDone;
    if (printProblemText(status) != printerProblemText)
        return console::error(printProblemText(status));
    console::error(printerProblemText);
    return console::error(QStringLiteral("%1 (error %2)").arg(status.error().description).arg(status.error().number));
}

int reportRejection(const PrintRejection& rejection)
{
    return console::error(rejection.message);
}

} // namespace quillet::cli
