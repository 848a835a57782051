#pragma once

#include <QObject>

class StringGrid;

// The whole import of a CSV file into the source grid: the open-file dialog, the import
// settings dialog with its preview, and loading the grid.
class GridImportDialog : public QObject {
    Q_OBJECT

public:
    GridImportDialog(StringGrid* grid, QObject* parent = nullptr);

    // Runs the import; true when the settings dialog was closed with "OK".
    bool openAndExecute();

private:
    StringGrid* grid_;
};
