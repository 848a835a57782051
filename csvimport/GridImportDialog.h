#pragma once

#include <QObject>
#include <QString>
#include <functional>

class StringGrid;

namespace csv {
struct ImportChoices;
}

// The whole import of a CSV file into the source grid: the open-file dialog, the import
// settings dialog with its preview, and loading the grid. Failures are thrown as core::Error
// and leave the grid, its selection and its marks as they were.
class GridImportDialog : public QObject {
    Q_OBJECT

public:
    GridImportDialog(StringGrid* grid, QObject* parent = nullptr);

    // Runs the import; true when the settings dialog was closed with "OK" and the grid was
    // loaded, false when the user cancelled either dialog.
    bool openAndExecute();

    // Reads and cuts the whole file, then replaces the grid's content and fits its columns.
    // Nothing in the grid changes when reading or cutting fails.
    void load(const QString& path, const csv::ImportChoices& choices);

    // Replaces the open-file dialog, for tests: returns the chosen path, empty for "cancel".
    using FileChooser = std::function<QString()>;
    static void setFileChooser(FileChooser chooser);

private:
    QString chooseFile();

    StringGrid* grid_;
};
