#include "platform/qt/QtFileDialogs.h"

#include "platform/FileFilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace quillet {

FileChoice QtFileDialogs::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialFolder);
    // Qt's own dialog, so that case-blind patterns, typed new names and the
    // filter's display behave the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.allowNewFile ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString()); // a typed name is taken as typed
    if (!m_lastName.isEmpty())
        dialog.selectFile(m_lastName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    const QString title = QFileInfo(path).fileName();
    m_lastName = title;
    return {path, title};
}

} // namespace quillet
