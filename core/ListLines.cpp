#include "core/ListLines.h"

#include "core/Marker.h"

namespace core {

std::vector<std::string> listLines(int rowCount, int colCount, const CellReader& cell)
{
    std::vector<std::string> lines;
    for (int row = 1; row < rowCount; ++row) {
        std::string line;
        for (int col = 0; col < colCount; ++col) {
            const std::string_view text = cell(col, row);
            if (isMarked(text))
                line.append(text);
        }
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace core
