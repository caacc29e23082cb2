#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace quillet {

class SheetCatalogue;
class SheetDrawing;

// The Label Sheet dialog: a search field (brand, part, description, size), the
// products with their label size, labels per sheet and paper, the built-in sheet
// first, and a drawing of the chosen one.
class LabelSheetWindow : public QDialog
{
    Q_OBJECT
public:
    LabelSheetWindow(const SheetCatalogue& catalogue, const QString& current, QWidget* parent = nullptr);

    // "BRAND PART" of the chosen product; empty for the built-in sheet.
    QString chosenSheet() const;

private:
    void fill(const QString& search);
    void showChosen();

    const SheetCatalogue& m_catalogue;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_products = nullptr;
    SheetDrawing* m_drawing = nullptr;
    QLabel* m_notFound = nullptr;
    QString m_chosen;
};

} // namespace quillet
