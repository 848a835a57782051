#include "csvimport/GridImportDialog.h"

#include "controls/StringGrid.h"
#include "core/Errors.h"
#include "csvimport/ImportSettingsDialog.h"
#include "csvimport/rules/FileRead.h"
#include "csvimport/rules/Table.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <new>

namespace {

GridImportDialog::FileChooser& fileChooser()
{
    static GridImportDialog::FileChooser chooser;
    return chooser;
}

// The most the preview reads of a file: the lines it shows, within this many bytes.
constexpr size_t kPreviewBytes = 1024 * 1024;

// A wait cursor for as long as the whole file is read and cut.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

GridImportDialog::GridImportDialog(StringGrid* grid, QObject* parent) : QObject(parent), grid_(grid)
{
}

void GridImportDialog::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

QString GridImportDialog::chooseFile()
{
    if (fileChooser())
        return fileChooser()();
    // An existing file only, as a full path; the program's current folder stays as it is.
    return QFileDialog::getOpenFileName(grid_->window(), QString(), QString(),
                                        QStringLiteral("*.csv (*.csv)"));
}

bool GridImportDialog::openAndExecute()
{
    const QString path = chooseFile();
    if (path.isEmpty())
        return false;

    // The first read: a file that cannot be read or holds no line ends the import here.
    std::string head = csv::readHead(QFile::encodeName(path).toStdString(),
                                     ImportSettingsDialog::kPreviewLines, kPreviewBytes);
    if (!csv::hasLine(head))
        throw core::Error("File is empty");

    ImportSettingsDialog dialog(path, std::move(head), grid_->window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    load(path, dialog.choices());
    return true;
}

void GridImportDialog::load(const QString& path, const csv::ImportChoices& choices)
{
    core::CellTable table;
    {
        WaitCursor wait;
        const std::string file = QFile::encodeName(path).toStdString();
        std::string bytes = csv::readWholeFile(
            file, choices.fixedWidth ? csv::OpenFailure::NotFound : csv::OpenFailure::CannotOpen);
        // Separator mode: RowCount is the start row plus the lines, but the grid keeps its
        // title row and one data row. Fixed-width mode never lowers the row count.
        const int minRows = choices.fixedWidth ? grid_->rowCount() : 2;
        try {
            table = csv::buildTable(std::move(bytes), choices, minRows);
        } catch (const std::bad_alloc&) {
            throw core::Error("Het bestand " + file + " is te groot om te importeren");
        }
    }
    grid_->setTable(std::move(table));
    grid_->fitColumns(10, 4);
}
