#include "cli/PrintOutput.h"

#include "core/printing/PrintPreferences.h"
#include "output/PdfPrintTarget.h"
#include "output/QtPrintTarget.h"
#include "output/TranscriptPrintTarget.h"

#include <QTextStream>

#include <cmath>

namespace quillet::cli {

namespace {

// "--name VALUE" or "--name=VALUE"; false when `args[index]` is not that option.
bool takeValue(const QStringList& args, qsizetype& index, const QString& name, QString& value, QString& error)
{
    const QString& arg = args[index];
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
        ++index;
        return true;
    }
    if (arg != name)
        return false;
    if (index + 1 >= args.size()) {
        error = name + QStringLiteral(" needs a value");
        ++index;
        return true;
    }
    value = args[index + 1];
    index += 2;
    return true;
}

} // namespace

bool PrintOutput::take(const QStringList& args, qsizetype& index, QString& error)
{
    QString value;
    if (args[index] == QLatin1String("--grid")) {
        m_destination = Destination::Grid;
        ++m_destinations;
        ++index;
        return true;
    }
    if (takeValue(args, index, QStringLiteral("--printer"), value, error)) {
        m_destination = Destination::Printer;
        m_printer = value;
        ++m_destinations;
        return true;
    }
    if (takeValue(args, index, QStringLiteral("--pdf"), value, error)) {
        m_destination = Destination::Pdf;
        m_pdf = value;
        ++m_destinations;
        if (error.isEmpty() && value.isEmpty())
            error = QStringLiteral("--pdf needs a file name");
        return true;
    }
    if (m_acceptsOffset && takeValue(args, index, QStringLiteral("--offset"), value, error)) {
        m_offset = parseOffset(value);
        if (error.isEmpty() && !m_offset)
            error = QStringLiteral("--offset takes X,Y in millimetres, each from -10 to 10");
        return true;
    }
    if (takeValue(args, index, QStringLiteral("--copies"), value, error)) {
        bool ok = false;
        m_copies = value.toInt(&ok);
        if (error.isEmpty() && (!ok || m_copies < 1))
            error = QStringLiteral("--copies needs a whole number of 1 or more");
        return true;
    }
    return false;
}

QString PrintOutput::validate() const
{
    if (m_destinations == 0)
        return QStringLiteral("say where to print: --printer NAME, --pdf FILE or --grid");
    if (m_destinations > 1)
        return QStringLiteral("give only one of --printer, --pdf and --grid");
    return {};
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
    switch (m_destination) {
    case Destination::Grid: {
        TranscriptPrintTarget target;
        status = print(choice(), target);
        if (status)
            QTextStream(stdout) << target.text();
        break;
    }
    case Destination::Pdf: {
        PdfPrintTarget target(m_pdf);
        status = print(choice(), target);
        break;
    }
    case Destination::Printer: {
        QtPrintTarget target;
        status = print(choice(), target);
        break;
    }
    case Destination::None:
        return 1;
    }
    if (status)
        return 0;
    QTextStream(stderr) << printerProblemText << '\n'
                        << "quillet-cli: " << status.error().description << " (error " << status.error().number
                        << ")\n";
    return 1;
}

QString PrintOutput::helpText()
{
    return QStringLiteral(
        "  --printer NAME   print on the CUPS queue NAME\n"
        "  --pdf FILE       write a PDF file on the job's paper; further copies go to FILE-2.pdf, ...\n"
        "  --grid           write the text-grid transcript on standard output\n"
        "  --copies K       print K copies, each its own job (default 1)\n");
}

QString PrintOutput::offsetHelpText()
{
    return QStringLiteral("  --offset X,Y     shift the whole page X mm right and Y mm down (each -10 to 10);\n"
                          "                   without it a printer job takes the printer's stored offset\n");
}

std::optional<QPointF> parseOffset(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false;
    bool okY = false;
    const QPointF offset(parts[0].trimmed().toDouble(&okX), parts[1].trimmed().toDouble(&okY));
    if (!okX || !okY || std::abs(offset.x()) > printprefs::maxOffsetMm ||
        std::abs(offset.y()) > printprefs::maxOffsetMm)
        return std::nullopt;
    return offset;
}

int reportRejection(const PrintRejection& rejection)
{
    QTextStream(stderr) << rejection.message << '\n';
    return 1;
}

int reportUsageError(const QString& verb, const QString& message)
{
    QTextStream(stderr) << "quillet-cli " << verb << ": " << message << "\nRun 'quillet-cli " << verb
                        << " --help' for its options.\n";
    return 1;
}

} // namespace quillet::cli
