#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Reads the stored text of cell (column, row).
using CellReader = std::function<std::string_view(int col, int row)>;

// The student list lines of a table: for every data row (row 0, the title row, is never read)
// from top to bottom, the complete texts of its marked cells joined from left to right,
// markers included, nothing put between and nothing trimmed. A row without marked cells gives
// no line, so no line is ever empty.
std::vector<std::string> listLines(int rowCount, int colCount, const CellReader& cell);

} // namespace core
