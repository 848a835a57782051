// The student list: the transfer of the marked cells and saving the list.
#include "ui/TfMain.h"

#include "controls/SaveFileDialog.h"
#include "controls/SystemColors.h"
#include "core/ListFile.h"
#include "core/ListLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void TfMain::tbNaarmemoClick()
{
    Memo->lines().clear();
    const std::vector<std::string> lines =
        core::listLines(Grid->rowCount(), Grid->colCount(),
                        [this](int col, int row) { return Grid->getCellEx(col, row); });
    for (const std::string& line : lines) {
        Memo->lines().add(line);
        Memo->setColor(syscolors::yellow());
    }
}

void TfMain::tbBewaarClick()
{
    // The first argument, read anew: when it names an existing folder now (relative names
    // from the current folder), the dialog opens there.
    const QString folder = QCoreApplication::arguments().value(1);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        SaveDialog->initialDir = QDir(folder).absolutePath();

    if (!SaveDialog->execute())
        return;
    core::writeListFile(QFile::encodeName(SaveDialog->fileName).toStdString(), Memo->text());
    Memo->lines().clear();
    Memo->setColor(syscolors::window());
}
