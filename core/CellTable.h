#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The texts of a rectangular table, addressed (column, row) from 0. Texts are byte strings,
// stored and returned unchanged.
class CellTable {
public:
    CellTable() = default;
    CellTable(int cols, int rows);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }

    // Changes the counts; every cell that remains keeps its text at its (column, row), new
    // cells are empty.
    void resize(int cols, int rows);

    // The stored text; empty outside the table. Valid until the next change of the table.
    std::string_view cell(int col, int row) const;
    void setCell(int col, int row, std::string_view text);

    // Every cell empty, counts kept.
    void clearCells();

    // Moves the texts of column `from`, in every row, to column `to`; the columns between
    // shift by one towards `from`.
    void moveColumn(int from, int to);

    // Rows first, first+1, ... receive the rows order[0], order[1], ... (a permutation of
    // first .. first+order.size()-1). Every text moves with its row.
    void permuteRows(int first, const std::vector<int>& order);

    // Bytes the table holds on the heap, texts and bookkeeping together.
    size_t memoryUsage() const;

    // Builds a table row by row, for loading a whole file at once.
    class Builder {
    public:
        // Rows before firstRow stay empty. The builder takes over `buffer`: fields later
        // given as views into buffer() may be kept without copying them.
        explicit Builder(int firstRow, std::string buffer = {});

        std::string& buffer() { return buffer_; }

        // The next field of the current row.
        void addField(std::string_view text);
        // Ends the current row (also an empty one).
        void endRow();

        // Columns: at least minCols and the widest row; rows: at least minRows and
        // firstRow + the rows ended.
        CellTable finish(int minCols, int minRows) &&;

    private:
        int firstRow_;
        std::string buffer_;
        std::vector<std::vector<std::string>> rows_;
        std::vector<std::string> current_;
    };

private:
    int cols_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_; // row-major
};

} // namespace core
