#pragma once

#include <QString>

namespace quillet {

struct FileDialogRequest
{
    QString title;
    QString initialFolder;
    // Filter pairs in the form "Description (*.EXT)|*.EXT|Other (*.x)|*.x";
    // patterns match without regard to case.
    QString filter;
    // The New dialog accepts a typed name of a file that does not exist yet.
    bool allowNewFile = false;
    // A save-style dialog whose accept button reads "Create" and that does not ask
    // before taking an existing file; a typed name without an extension gets
    // `defaultSuffix`.
    bool createStyle = false;
    QString defaultSuffix;
};

struct FileChoice
{
    QString path;  // full path as chosen, empty when cancelled
    QString title; // the file name without its folder
    bool cancelled() const { return path.isEmpty(); }
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual FileChoice chooseFile(const FileDialogRequest& request) = 0;
};

} // namespace quillet
