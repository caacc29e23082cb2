#include "core/printing/EnvelopeSizes.h"

#include "core/common/TextRules.h"

#include <array>

namespace quillet::envelopes {

namespace {
struct SizePresets
{
    GridMargins onSize;
    GridMargins onEnvelope;
};

// Indents and pad rows that put the address in place on each envelope, printed
// landscape at 12 points.
constexpr std::array<SizePresets, sizeCount> presets{{
    {{38, 33}, {43, 39}}, // #10 Standard Business
    {{23, 32}, {28, 39}}, // #6 3/4 Small
    {{20, 32}, {24, 37}}, // #A2 Invitation
    {{28, 30}, {34, 36}}, // #A7 Announcement
    {{30, 30}, {36, 36}}, // #A8 Std Greeting Card
    {{36, 25}, {44, 30}}, // #A10 Lrg Greeting Card
    {{30, 30}, {36, 36}}, // Custom
}};

bool validSize(int sizeNo)
{
    return sizeNo >= 1 && sizeNo <= sizeCount;
}
} // namespace

const QStringList& sizeNames()
{
    static const QStringList names{
        QStringLiteral("#10 Standard Business envelope (4 1/8 in x 9 1/2 in)"),
        QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"),
        QStringLiteral("#A2 Invitation envelope (4 3/8 in x 5 3/4 in)"),
        QStringLiteral("#A7 Announcement envelope (5 1/4 in x 7 1/4 in)"),
        QStringLiteral("#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)"),
        QStringLiteral("#A10 Lrg Greeting Card envelope (6 in x 9 1/2 in)"),
        QStringLiteral("Custom (edit Left and Top margin boxes)"),
    };
    return names;
}

std::optional<GridMargins> presetOnChoosingSize(int sizeNo)
{
    if (!validSize(sizeNo))
        return std::nullopt;
    return presets[std::size_t(sizeNo - 1)].onSize;
}

std::optional<GridMargins> presetOnChoosingEnvelope(int sizeNo)
{
    if (!validSize(sizeNo))
        return std::nullopt;
    return presets[std::size_t(sizeNo - 1)].onEnvelope;
}

int sizeNoFromText(const QString& envelopeSizeNo)
{
    const double value = text::leadingNumber(envelopeSizeNo);
    return value >= 1 && value <= sizeCount ? int(value) : 0;
}

} // namespace quillet::envelopes
