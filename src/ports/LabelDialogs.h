#pragma once

#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

namespace quillet {

struct GridStream;
struct SheetTemplate;

struct PrinterOffsetChoice
{
    QString printer;
    QPointF offsetMm;
};

// The dialogs of label sheets and printer calibration, and the print preview.
class LabelDialogs
{
public:
    virtual ~LabelDialogs() = default;
    // The Label Sheet dialog, opened on `current` ("BRAND PART"); the product
    // chosen, empty for the built-in sheet; nothing on Cancel.
    virtual std::optional<QString> chooseSheet(const QString& current) = 0;
    // The first label position on the first sheet (1 to the sheet's labels),
    // proposing 1; nothing on Cancel.
    virtual std::optional<int> askStartPosition(const SheetTemplate& sheet) = 0;
    // A printer and the offset to store for it; nothing on Cancel.
    virtual std::optional<PrinterOffsetChoice> askPrinterOffset() = 0;
    // Shows the pages one copy would print; `makeStream` makes them afresh each
    // time the preview paints.
    virtual void showPreview(const std::function<GridStream()>& makeStream) = 0;
};

} // namespace quillet
