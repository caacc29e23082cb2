#include "core/printing/SheetCatalogue.h"

#include "core/common/ProgramFolder.h"
#include "core/printing/PrintPreferences.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>

#include <algorithm>

namespace quillet {

namespace {

QString key(const QString& brand, const QString& part)
{
    return (brand + QLatin1Char(' ') + part).toCaseFolded();
}

PaperSizes paperSizesIn(const QStringList& folders)
{
    for (const QString& folder : folders) {
        QFile file(QDir(folder).filePath(QStringLiteral("paper-sizes.xml")));
        if (file.open(QIODevice::ReadOnly))
            return readPaperSizes(file);
    }
    return standardPaperSizes();
}

// Each equiv entry takes the geometry (and, lacking its own, the description) of
// the product it names; one naming nothing known is dropped.
void resolveEquivalents(std::vector<SheetTemplate>& sheets)
{
    QHash<QString, qsizetype> originals;
    for (qsizetype i = 0; i < qsizetype(sheets.size()); ++i)
        if (sheets[std::size_t(i)].equiv.isEmpty())
            originals.insert(key(sheets[std::size_t(i)].brand, sheets[std::size_t(i)].part), i);
    std::vector<SheetTemplate> resolved;
    resolved.reserve(sheets.size());
    for (const SheetTemplate& sheet : sheets) {
        if (sheet.equiv.isEmpty()) {
            resolved.push_back(sheet);
            continue;
        }
        const auto found = originals.constFind(key(sheet.brand, sheet.equiv));
        if (found == originals.constEnd())
            continue;
        SheetTemplate copy = sheets[std::size_t(*found)];
        copy.part = sheet.part;
        copy.equiv = sheet.equiv;
        if (!sheet.description.isEmpty())
            copy.description = sheet.description;
        resolved.push_back(std::move(copy));
    }
    sheets = std::move(resolved);
}

bool matches(const SheetTemplate& sheet, const QStringList& words)
{
    const QString haystack = sheet.name() + QLatin1Char(' ') + sheet.description + QLatin1Char(' ') +
                             sheet.labelSizeText() + QLatin1Char(' ') + sheet.paper.name;
    return std::all_of(words.begin(), words.end(),
                       [&haystack](const QString& word) { return haystack.contains(word, Qt::CaseInsensitive); });
}

} // namespace

const SheetCatalogue& SheetCatalogue::system()
{
    static const SheetCatalogue catalogue = load(standardFolders());
    return catalogue;
}

QStringList SheetCatalogue::standardFolders()
{
    QStringList folders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("libglabels-3.0/templates"),
                                  QStandardPaths::LocateDirectory);
    std::reverse(folders.begin(), folders.end()); // the most local last, so that it wins
    folders << QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                   .filePath(QStringLiteral("libglabels/templates"));
    folders << QDir(programFolder()).filePath(QStringLiteral("templates"));
    return folders;
}

SheetCatalogue SheetCatalogue::load(const QStringList& folders)
{
    SheetCatalogue catalogue;
    const PaperSizes papers = paperSizesIn(folders);
    std::vector<SheetTemplate> read;
    for (const QString& folder : folders) {
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
        for (const QString& name : files) {
            QFile file(QDir(folder).filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            catalogue.m_found = true;
            std::vector<SheetTemplate> sheets = readTemplates(file, papers);
            std::move(sheets.begin(), sheets.end(), std::back_inserter(read));
        }
    }
    resolveEquivalents(read);
    // A later product of the same name replaces an earlier one.
    QHash<QString, qsizetype> byName;
    catalogue.m_sheets.push_back(builtInSheet());
    for (SheetTemplate& sheet : read) {
        const QString name = key(sheet.brand, sheet.part);
        const auto found = byName.constFind(name);
        if (found != byName.constEnd()) {
            catalogue.m_sheets[std::size_t(*found)] = std::move(sheet);
        } else {
            byName.insert(name, qsizetype(catalogue.m_sheets.size()));
            catalogue.m_sheets.push_back(std::move(sheet));
        }
    }
    std::sort(catalogue.m_sheets.begin() + 1, catalogue.m_sheets.end(), [](const auto& a, const auto& b) {
        const int brand = QString::compare(a.brand, b.brand, Qt::CaseInsensitive);
        return brand != 0 ? brand < 0 : QString::compare(a.part, b.part, Qt::CaseInsensitive) < 0;
    });
    return catalogue;
}

const SheetTemplate* SheetCatalogue::find(const QString& name) const
{
    const QString wanted = name.simplified().toCaseFolded();
    for (const SheetTemplate& sheet : m_sheets)
        if (key(sheet.brand, sheet.part) == wanted)
            return &sheet;
    return nullptr;
}

std::vector<const SheetTemplate*> SheetCatalogue::search(const QString& text) const
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<const SheetTemplate*> found;
    for (const SheetTemplate& sheet : m_sheets)
        if (matches(sheet, words))
            found.push_back(&sheet);
    return found;
}

SheetTemplate chosenLabelSheet()
{
    const QString name = printprefs::labelSheet();
    const SheetTemplate* sheet = name.isEmpty() ? nullptr : SheetCatalogue::system().find(name);
    return sheet ? *sheet : builtInSheet();
}

} // namespace quillet
