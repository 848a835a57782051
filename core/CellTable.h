#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace core {

// The texts of a rectangular table, addressed (column, row) from 0. Texts are byte strings,
// stored and returned unchanged.
//
// Built for big tables: the texts stay where they are in the loaded file's bytes (or in an
// arena of bytes for texts written later), and each cell costs a 32-bit position and one byte
// of length. A text that ends one byte before the next cell's bytes has a spare byte, so that
// appending one byte (a marker) or writing any prefix of the text happens in place. Rows are
// reached through an order vector and columns through another, so that sorting and moving
// columns move no texts.
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
    std::string_view cell(int col, int row) const
    {
        if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
            return {};
        const size_t i = index(col, row);
        return {bytesAt(i), lengthAt(i)};
    }
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
        std::string arena_;              // fields that do not lie in buffer_, in the order given
        std::deque<uint32_t> positions_; // per field: in buffer_, or in arena_ (see arenaFields_)
        std::deque<uint8_t> metas_;
        std::vector<size_t> arenaFields_; // numbers of the fields kept in arena_, ascending
        std::unordered_map<size_t, uint32_t> longFields_;
        std::vector<uint32_t> rowFields_; // fields in each ended row
        uint32_t fieldsInRow_ = 0;
        size_t lastInBuffer_ = SIZE_MAX; // the field whose spare byte is not known yet
        size_t bufferEnd_ = 0;           // end of the last field taken from buffer_
    };

private:
    // Per cell: bit 7 says one spare byte follows the text; bits 0-6 the length, kLong
    // meaning that the length is in long_.
    static constexpr uint8_t kSpare = 0x80;
    static constexpr uint8_t kLong = 0x7F;

    size_t index(int col, int row) const
    {
        return static_cast<size_t>(rowOrder_[static_cast<size_t>(row)]) * cols_ +
               static_cast<size_t>(colOrder_[static_cast<size_t>(col)]);
    }
    size_t lengthAt(size_t i) const
    {
        const uint8_t length = meta_[i] & kLong;
        return length == kLong ? long_.at(i) : length;
    }
    const char* bytesAt(size_t i) const
    {
        const size_t pos = position_[i];
        return pos < buffer_.size() ? buffer_.data() + pos : arena_.data() + (pos - buffer_.size());
    }
    char* bytesAt(size_t i) { return const_cast<char*>(std::as_const(*this).bytesAt(i)); }
    void setLength(size_t i, size_t length, bool spare);
    // Lays the cells out anew in (row, column) order with the given counts.
    void relayout(int cols, int rows);

    int cols_ = 0;
    int rows_ = 0;
    std::string buffer_;                        // the loaded file's bytes; never changes size
    std::string arena_;                         // texts written later; positions follow buffer_'s
    std::vector<uint32_t> position_;            // per physical cell
    std::vector<uint8_t> meta_;                 // per physical cell
    std::unordered_map<size_t, uint32_t> long_; // lengths of 127 bytes and more
    std::vector<uint32_t> rowOrder_;            // row -> physical row
    std::vector<uint32_t> colOrder_;            // column -> physical column
};

} // namespace core
