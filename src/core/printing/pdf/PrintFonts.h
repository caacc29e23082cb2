#pragma once

#include "core/common/Result.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quillet {

class TrueTypeFont;

// The faces printed pages are set in, found through fontconfig as Qt finds them
// and read once. The program asks for "Courier New", which fontconfig maps to
// Liberation Mono (same metrics): that face, regular or bold, is what a PDF
// embeds, and without it nothing is printed.
class PrintFonts
{
public:
    // The system's fonts, shared by every job of the process.
    static PrintFonts& system();
    // Only the fonts in these folders (a bundled copy, or none at all).
    explicit PrintFonts(const QStringList& folders);
    ~PrintFonts();
    PrintFonts(const PrintFonts&) = delete;
    PrintFonts& operator=(const PrintFonts&) = delete;

    // Liberation Mono regular or bold; errors::fontNotFound() when it is not
    // installed or cannot be read.
    Result<std::shared_ptr<const TrueTypeFont>> liberationMono(bool bold);
    // The face for a family the grid names: Liberation Mono for "Courier New", the
    // family itself when installed, else the monospace face (as Qt chooses for the
    // grid's fonts: "MS Sans Serif" prints in it), or Liberation Mono when that
    // choice is not a TrueType font.
    Result<std::shared_ptr<const TrueTypeFont>> face(const QString& family, bool bold);

private:
    PrintFonts();
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillet
