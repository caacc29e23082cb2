#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LabelSheetWindow;
}

namespace quillet {

class SheetCatalogue;

// The Label Sheet dialog: a search field (brand, part, description, size), the
// products with their label size, labels per sheet and paper, the built-in sheet
// first, and a drawing of the chosen one.
class LabelSheetWindow : public QDialog
{
    Q_OBJECT
public:
    LabelSheetWindow(const SheetCatalogue& catalogue, const QString& current, QWidget* parent = nullptr);
    ~LabelSheetWindow() override;

    // "BRAND PART" of the chosen product; empty for the built-in sheet.
    QString chosenSheet() const;

private:
    void fill(const QString& search);
    void showChosen();

    const SheetCatalogue& m_catalogue;
    std::unique_ptr<Ui::LabelSheetWindow> m_ui;
    QString m_chosen;
};

} // namespace quillet
