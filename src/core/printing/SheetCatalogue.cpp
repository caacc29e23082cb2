#include "core/printing/SheetCatalogue.h"

#include "core/common/ProgramFolder.h"
#include "core/printing/PrintPreferences.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>

namespace quillet {

namespace {

// Names compare without case and with runs of white space as one space, as the
// user types them.
QString key(const QString& brand, const QString& part)
{
    return (brand + QLatin1Char(' ') + part).simplified().toCaseFolded();
}

const QString paperSizesName = QStringLiteral("paper-sizes.xml");

// Opens a catalogue file for reading unless it is too large to be one.
bool openCatalogueFile(QFile& file, QStringList& notes)
{
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() <= maxTemplateFileSize)
        return true;
    notes << QStringLiteral("label templates: %1 is larger than %2 MB, skipped")
                 .arg(QDir::toNativeSeparators(file.fileName()))
                 .arg(maxTemplateFileSize / (1024 * 1024));
    file.close();
    return false;
}

PaperSizes paperSizesIn(const QStringList& folders, QStringList& notes)
{
    for (const QString& folder : folders) {
        QFile file(QDir(folder).filePath(paperSizesName));
        if (openCatalogueFile(file, notes))
            return readPaperSizes(file);
    }
    return standardPaperSizes();
}

// The template files of the folders in order, each file once: a folder named twice,
// or reached again through a link, adds nothing. The paper sizes are no templates.
QStringList templateFiles(const QStringList& folders)
{
    QSet<QPair<quint64, quint64>> seen;
    QStringList files;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            struct stat info
            {
            };
            const QString path = dir.filePath(name);
            if (name == paperSizesName || ::stat(QFile::encodeName(path).constData(), &info) != 0)
                continue;
            if (!seen.contains({quint64(info.st_dev), quint64(info.st_ino)})) {
                seen.insert({quint64(info.st_dev), quint64(info.st_ino)});
                files << path;
            }
        }
    }
    return files;
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
    static const SheetCatalogue catalogue = [] {
        SheetCatalogue loaded = load(standardFolders());
        for (const QString& note : loaded.notes())
            qWarning().noquote() << note;
        return loaded;
    }();
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
    const PaperSizes papers = paperSizesIn(folders, catalogue.m_notes);
    std::vector<SheetTemplate> read;
    for (const QString& path : templateFiles(folders)) {
        QFile file(path);
        if (!openCatalogueFile(file, catalogue.m_notes))
            continue;
        catalogue.m_found = true;
        std::vector<SheetTemplate> sheets = readTemplates(file, papers);
        std::move(sheets.begin(), sheets.end(), std::back_inserter(read));
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
