// The student list: the transfer of the marked cells and saving the list.
#include "ui/TfMain.h"

void TfMain::tbNaarmemoClick() {}

void TfMain::tbBewaarClick() {}
