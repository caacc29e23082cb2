#pragma once

#include "shell/WindowHost.h"

namespace quillet::test {

// Records what the contact windows ask of the main window.
class FakeWindowHost : public WindowHost
{
public:
    void returnToMainWindow() override { ++returns; }
    void quitProgram() override { ++quits; }
    void showAbout() override { ++abouts; }
    QStringList labelLines() const override { return lines; }
    void fillLabelLines(const QStringList& newLines) override { filled = newLines; }
    void openContactWindow(int recordNumber) override { opened = recordNumber; }

    QStringList lines{QString(), QString(), QString(), QString(), QString()};
    QStringList filled;
    int returns = 0;
    int quits = 0;
    int abouts = 0;
    int opened = 0;
};

} // namespace quillet::test
