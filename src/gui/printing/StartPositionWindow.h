#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class StartPositionWindow;
}

namespace quillet {

struct SheetTemplate;

// Asks for the first label position on the first sheet, with the sheet drawn and
// the positions before it greyed; a click on a label chooses it.
class StartPositionWindow : public QDialog
{
    Q_OBJECT
public:
    explicit StartPositionWindow(const SheetTemplate& sheet, QWidget* parent = nullptr);
    ~StartPositionWindow() override;

    int start() const;

private:
    std::unique_ptr<Ui::StartPositionWindow> m_ui;
};

} // namespace quillet
