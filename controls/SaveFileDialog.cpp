#include "controls/SaveFileDialog.h"

SaveFileDialog::SaveFileDialog(QObject* parent) : QObject(parent) {}

bool SaveFileDialog::execute()
{
    return false;
}
