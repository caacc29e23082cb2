#pragma once

#include "core/printing/SheetTemplate.h"

#include <QStringList>

#include <vector>

namespace quillet {

// The largest catalogue file read: the biggest real ones hold about 100 KB.
inline constexpr qint64 maxTemplateFileSize = 4 * 1024 * 1024;

// The label sheet products Quillet can print list labels on: the built-in sheet
// first, then the system's label template catalogue and the user's own templates,
// sorted by brand and part. Without a catalogue only the built-in sheet is there.
class SheetCatalogue
{
public:
    // Read once, on first use, from the standard folders.
    static const SheetCatalogue& system();
    // The system catalogue folders, then ~/.config/libglabels/templates and the
    // program folder's "templates".
    static QStringList standardFolders();
    // Every "*.xml" file of the folders; equiv entries resolved to their original
    // of the same brand (a later folder's product replaces an earlier one's). Each
    // file is read once, however many folders name it; one larger than
    // maxTemplateFileSize is skipped with a note.
    static SheetCatalogue load(const QStringList& folders);

    // Whether any catalogue file was read.
    bool found() const { return m_found; }
    // What was skipped and why ("...: larger than 4 MB, skipped"), one line each.
    const QStringList& notes() const { return m_notes; }
    const std::vector<SheetTemplate>& sheets() const { return m_sheets; }
    // The product named "BRAND PART" (any case); nullptr when there is none.
    const SheetTemplate* find(const QString& name) const;
    // The products whose brand, part, description, size or paper contain every
    // word of `text` (any case); all of them for an empty text.
    std::vector<const SheetTemplate*> search(const QString& text) const;

private:
    std::vector<SheetTemplate> m_sheets;
    QStringList m_notes;
    bool m_found = false;
};

// The sheet chosen in the Label Sheet dialog; the built-in one when none was or
// the catalogue no longer has it.
SheetTemplate chosenLabelSheet();

} // namespace quillet
