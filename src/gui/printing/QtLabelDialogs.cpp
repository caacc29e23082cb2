#include "gui/printing/QtLabelDialogs.h"

#include "core/printing/GridDocument.h"
#include "core/printing/SheetCatalogue.h"
#include "gui/printing/LabelSheetWindow.h"
#include "gui/printing/PrintPreviewWindow.h"
#include "gui/printing/PrinterOffsetWindow.h"
#include "gui/printing/StartPositionWindow.h"
#include "gui/widgets/WindowPlacement.h"

#include <QApplication>
#include <QPrinterInfo>

namespace quillet {

QtLabelDialogs::QtLabelDialogs(DialogRunner run) : m_run(std::move(run)) {}

// Over the window that asked, and no larger than its screen.
bool QtLabelDialogs::accepted(QDialog& dialog)
{
    if (const QWidget* asker = dialog.parentWidget())
        placeOver(&dialog, asker);
    return (m_run ? m_run(dialog) : dialog.exec()) == QDialog::Accepted;
}

std::optional<QString> QtLabelDialogs::chooseSheet(const QString& current)
{
    LabelSheetWindow dialog(SheetCatalogue::system(), current, QApplication::activeWindow());
    if (!accepted(dialog))
        return std::nullopt;
    return dialog.chosenSheet();
}

std::optional<int> QtLabelDialogs::askStartPosition(const SheetTemplate& sheet)
{
    StartPositionWindow dialog(sheet, QApplication::activeWindow());
    if (!accepted(dialog))
        return std::nullopt;
    return dialog.start();
}

std::optional<PrinterOffsetChoice> QtLabelDialogs::askPrinterOffset()
{
    PrinterOffsetWindow dialog(QPrinterInfo::availablePrinterNames(), QApplication::activeWindow());
    if (!accepted(dialog))
        return std::nullopt;
    return PrinterOffsetChoice{dialog.printer(), dialog.offsetMm()};
}

void QtLabelDialogs::showPreview(const std::function<GridStream()>& makeStream)
{
    GridStream stream = makeStream();
    auto* preview = new PrintPreviewWindow(stream, QApplication::activeWindow());
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->open();
}

} // namespace quillet
