// The controls that follow the splitter and the window's width, and the instructions panel.
#include "ui/TfMain.h"

void TfMain::FormResize() {}

void TfMain::SplitterMoved() {}
