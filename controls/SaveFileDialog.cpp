#include "controls/SaveFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

SaveFileDialog::Answer& answer()
{
    static SaveFileDialog::Answer hook;
    return hook;
}

} // namespace

SaveFileDialog::SaveFileDialog(QObject* parent) : QObject(parent) {}

void SaveFileDialog::setAnswer(Answer hook)
{
    answer() = std::move(hook);
}

std::optional<QString> SaveFileDialog::ask() const
{
    QFileDialog dialog(qobject_cast<QWidget*>(parent()), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(filter);
    dialog.selectNameFilter(filter);
    dialog.setDefaultSuffix(defaultExt);
    if (!initialDir.isEmpty())
        dialog.setDirectory(initialDir);
    // The last confirmed path stands in the file-name box, and its folder is shown.
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool SaveFileDialog::execute()
{
    const std::optional<QString> chosen = answer() ? answer()(*this) : ask();
    if (!chosen || chosen->isEmpty())
        return false;
    QFileInfo info(*chosen);
    if (info.isRelative())
        info = QFileInfo(QDir(initialDir), *chosen);
    QString path = info.absoluteFilePath();
    if (info.suffix().isEmpty() && !defaultExt.isEmpty()) {
        if (!path.endsWith(QLatin1Char('.')))
            path += QLatin1Char('.');
        path += defaultExt;
    }
    fileName = path;
    return true;
}
