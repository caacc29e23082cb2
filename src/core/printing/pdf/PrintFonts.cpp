#include "core/printing/pdf/PrintFonts.h"

#include "core/printing/pdf/TrueTypeFont.h"

#include <QFile>
#include <QHash>

#include <fontconfig/fontconfig.h>

#include <mutex>

namespace quillet {

namespace {

const QString liberationMonoFamily = QStringLiteral("Liberation Mono");

struct Match
{
    QString file;
    QString family;
    int weight = FC_WEIGHT_REGULAR;
};

// fontconfig's best face for the family and weight, as Qt asks for it.
Match bestMatch(FcConfig* config, const QString& family, bool bold)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    Match match;
    if (!found)
        return match;
    FcChar8* text = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &text) == FcResultMatch)
        match.file = QFile::decodeName(reinterpret_cast<const char*>(text));
    if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch)
        match.family = QString::fromUtf8(reinterpret_cast<const char*>(text));
    FcPatternGetInteger(found, FC_WEIGHT, 0, &match.weight);
    FcPatternDestroy(found);
    return match;
}

} // namespace

struct PrintFonts::Private
{
    FcConfig* config = nullptr; // null: fontconfig's current configuration
    std::mutex mutex;
    QHash<QString, std::shared_ptr<const TrueTypeFont>> faces; // by file

    std::shared_ptr<const TrueTypeFont> load(const QString& file)
    {
        if (file.isEmpty())
            return nullptr;
        if (const auto known = faces.constFind(file); known != faces.constEnd())
            return *known;
        std::optional<TrueTypeFont> font = TrueTypeFont::fromFile(file);
        auto face = font ? std::make_shared<const TrueTypeFont>(std::move(*font)) : nullptr;
        faces.insert(file, face);
        return face;
    }
};

PrintFonts::PrintFonts() : d(std::make_unique<Private>()) {}

PrintFonts::PrintFonts(const QStringList& folders) : PrintFonts()
{
    d->config = FcConfigCreate();
    for (const QString& folder : folders)
        FcConfigAppFontAddDir(d->config, reinterpret_cast<const FcChar8*>(QFile::encodeName(folder).constData()));
}

PrintFonts::~PrintFonts()
{
    if (d->config)
        FcConfigDestroy(d->config);
}

PrintFonts& PrintFonts::system()
{
    static PrintFonts fonts;
    return fonts;
}

Result<std::shared_ptr<const TrueTypeFont>> PrintFonts::liberationMono(bool bold)
{
    std::lock_guard lock(d->mutex);
    const Match match = bestMatch(d->config, liberationMonoFamily, bold);
    // fontconfig answers with some face whatever is installed; a regular face
    // offered for bold would print the bold lines thin.
    const bool rightFace = match.family.compare(liberationMonoFamily, Qt::CaseInsensitive) == 0 &&
                           (match.weight >= FC_WEIGHT_BOLD) == bold;
    const auto face = rightFace ? d->load(match.file) : nullptr;
    if (!face)
        return errors::fontNotFound();
    return face;
}

Result<std::shared_ptr<const TrueTypeFont>> PrintFonts::face(const QString& family, bool bold)
{
    if (family.compare(QStringLiteral("Courier New"), Qt::CaseInsensitive) == 0 ||
        family.compare(liberationMonoFamily, Qt::CaseInsensitive) == 0)
        return liberationMono(bold);
    {
        std::lock_guard lock(d->mutex);
        Match match = bestMatch(d->config, family, bold);
        // A family that is not installed falls back as Qt falls back for the grid's
        // typewriter style hint: to the monospace face.
        if (match.family.compare(family, Qt::CaseInsensitive) != 0)
            match = bestMatch(d->config, QStringLiteral("monospace"), bold);
        if (const auto face = d->load(match.file))
            return face;
    }
    return liberationMono(bold);
}

} // namespace quillet
