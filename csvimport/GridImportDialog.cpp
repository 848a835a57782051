#include "csvimport/GridImportDialog.h"

GridImportDialog::GridImportDialog(StringGrid* grid, QObject* parent)
    : QObject(parent), grid_(grid)
{
}

bool GridImportDialog::openAndExecute()
{
    return false;
}
