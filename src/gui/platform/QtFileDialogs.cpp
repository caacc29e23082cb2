#include "gui/platform/QtFileDialogs.h"

#include "gui/platform/FileFilter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quillet {

QtFileDialogs::QtFileDialogs(Style style, DialogRunner run) : m_style(style), m_run(std::move(run)) {}

FileChoice QtFileDialogs::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog, m_style == Style::QtOwn);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (request.createStyle) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // An existing file is opened unchanged, so there is nothing to confirm.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Create"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.allowNewFile ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo last(m_memory.lastChosen(request));
    // A folder that has gone since leaves the dialog in the initial folder.
    if (!last.filePath().isEmpty())
        dialog.selectFile(last.absoluteDir().exists() ? last.absoluteFilePath() : last.fileName());
    const int result = m_run ? m_run(dialog) : dialog.exec();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    const QString title = QFileInfo(path).fileName();
    m_memory.remember(request, path);
    return {path, title};
}

} // namespace quillet
