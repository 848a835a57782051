#include "core/CellTable.h"

#include <algorithm>

namespace core {

CellTable::CellTable(int cols, int rows)
{
    resize(cols, rows);
}

void CellTable::resize(int cols, int rows)
{
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == cols_) {
        cells_.resize(static_cast<size_t>(cols) * rows);
    } else {
        std::vector<std::string> cells(static_cast<size_t>(cols) * rows);
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c)
                cells[static_cast<size_t>(r) * cols + c] =
                    std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
        cells_ = std::move(cells);
    }
    cols_ = cols;
    rows_ = rows;
}

std::string_view CellTable::cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return {};
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void CellTable::setCell(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    cells_[static_cast<size_t>(row) * cols_ + col] = text;
}

void CellTable::clearCells()
{
    for (auto& text : cells_)
        text.clear();
}

void CellTable::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= cols_ || to >= cols_ || from == to)
        return;
    for (int r = 0; r < rows_; ++r) {
        auto row = cells_.begin() + static_cast<std::ptrdiff_t>(r) * cols_;
        if (from < to)
            std::rotate(row + from, row + from + 1, row + to + 1);
        else
            std::rotate(row + to, row + from, row + from + 1);
    }
}

void CellTable::permuteRows(int first, const std::vector<int>& order)
{
    std::vector<std::string> moved(order.size() * static_cast<size_t>(cols_));
    for (size_t i = 0; i < order.size(); ++i)
        for (int c = 0; c < cols_; ++c)
            moved[i * cols_ + c] = std::move(cells_[static_cast<size_t>(order[i]) * cols_ + c]);
    std::move(moved.begin(), moved.end(),
              cells_.begin() + static_cast<std::ptrdiff_t>(first) * cols_);
}

size_t CellTable::memoryUsage() const
{
    size_t bytes = cells_.capacity() * sizeof(std::string);
    for (const auto& text : cells_)
        if (text.capacity() > 15)
            bytes += text.capacity() + 1;
    return bytes;
}

CellTable::Builder::Builder(int firstRow, std::string buffer)
    : firstRow_(std::max(firstRow, 0)), buffer_(std::move(buffer))
{
}

void CellTable::Builder::addField(std::string_view text)
{
    current_.emplace_back(text);
}

void CellTable::Builder::endRow()
{
    rows_.push_back(std::move(current_));
    current_.clear();
}

CellTable CellTable::Builder::finish(int minCols, int minRows) &&
{
    int cols = minCols;
    for (const auto& row : rows_)
        cols = std::max(cols, static_cast<int>(row.size()));
    CellTable table(cols, std::max(minRows, firstRow_ + static_cast<int>(rows_.size())));
    for (size_t r = 0; r < rows_.size(); ++r)
        for (size_t c = 0; c < rows_[r].size(); ++c)
            table.setCell(static_cast<int>(c), firstRow_ + static_cast<int>(r), rows_[r][c]);
    return table;
}

} // namespace core
