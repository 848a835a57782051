#pragma once

#include <QFont>

// The fonts of the window. Arial is matched by a metric-compatible font where it is missing;
// the grid's Tahoma is loaded from Wine's font folder when fontconfig does not know it.
namespace fonts {

// Arial, given as a character height in pixels.
QFont arial(int pixelHeight);

// The grid's Tahoma, 11 pixels; bold for the title row.
QFont gridFont(bool bold = false);

} // namespace fonts
