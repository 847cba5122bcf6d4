#include "filedialogs.h"

#include <QFileDialog>

namespace {

QString runDialog(QWidget *parent, const FileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.filter.isEmpty())
        dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace

QString WidgetFileDialogs::openFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runDialog(parent, request, QFileDialog::AcceptOpen);
}

QString WidgetFileDialogs::saveFileName(QWidget *parent, const FileDialogRequest &request)
{
    return runDialog(parent, request, QFileDialog::AcceptSave);
}
