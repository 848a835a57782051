#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/LargePages.h"

namespace core {

namespace detail {

// A growable array of plain values on malloc/realloc: large arrays grow by remapping their
// pages, so growing one does not need the old and the new block at once.
template <typename T> class PodArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    PodArray() = default;
    PodArray(const PodArray& other) { assign(other); }
    PodArray(PodArray&& other) noexcept { swap(other); }
    PodArray& operator=(const PodArray& other)
    {
        if (this != &other) {
            PodArray copy(other);
            swap(copy);
        }
        return *this;
    }
    PodArray& operator=(PodArray&& other) noexcept
    {
        PodArray moved(std::move(other));
        swap(moved);
        return *this;
    }
    ~PodArray() { std::free(data_); }

    void swap(PodArray& other) noexcept
    {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

    // Exactly n places; fewer keeps the first n values.
    void setCapacity(size_t n)
    {
        if (n == capacity_)
            return;
        if (n == 0) {
            std::free(data_);
            data_ = nullptr;
        } else {
            void* p = std::realloc(data_, n * sizeof(T));
            if (!p)
                throw std::bad_alloc();
            data_ = static_cast<T*>(p);
            adviseLargePages(data_, n * sizeof(T));
        }
        capacity_ = n;
        if (size_ > n)
            size_ = n;
    }
    void reserve(size_t n)
    {
        if (n > capacity_)
            setCapacity(n);
    }
    // New values are zero bytes.
    void resize(size_t n)
    {
        reserve(n);
        if (n > size_)
            std::memset(static_cast<void*>(data_ + size_), 0, (n - size_) * sizeof(T));
        size_ = n;
    }
    // Room for n more values, growing by half at least.
    void grow(size_t n)
    {
        if (capacity_ - size_ < n)
            setCapacity(std::max(size_ + n, capacity_ + capacity_ / 2 + 16));
    }
    void push(T value)
    {
        if (size_ == capacity_)
            grow(1);
        data_[size_++] = value;
    }
    // n more values, uninitialised; returns the first.
    T* extend(size_t n)
    {
        grow(n);
        T* first = data_ + size_;
        size_ += n;
        return first;
    }
    void clear() { setCapacity(0); }

private:
    void assign(const PodArray& other)
    {
        setCapacity(other.size_);
        if (other.size_)
            std::memcpy(static_cast<void*>(data_), other.data_, other.size_ * sizeof(T));
        size_ = other.size_;
    }

    T* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

} // namespace detail

// The texts of a rectangular table, addressed (column, row) from 0. Texts are byte strings,
// stored and returned unchanged.
//
// Texts live in two byte arenas: the buffer a Builder adopted (a loaded file, whose fields
// are kept where they were cut) and an overflow arena for texts written later. Every cell is
// an 8-byte handle into them, so a table costs little more than its texts. A cell may own one
// spare byte after its text: marking a cell (one byte more) and unmarking it (one byte less)
// then happen in place.
class CellTable {
public:
    CellTable() = default;
    CellTable(int cols, int rows);
    CellTable(const CellTable&) = default;
    CellTable& operator=(const CellTable&) = default;
    // The moved-from table is empty, 0 x 0.
    CellTable(CellTable&& other) noexcept;
    CellTable& operator=(CellTable&& other) noexcept;

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
        return textOf(handles_[static_cast<size_t>(row) * static_cast<size_t>(cols_) +
                               static_cast<size_t>(col)]);
    }
    // Nothing happens outside the table. `text` may be a view into this table. A text of
    // 2^31 bytes or more throws std::length_error.
    void setCell(int col, int row, std::string_view text);

    // Every cell empty, counts kept.
    void clearCells();

    // Moves the texts of column `from`, in every row, to column `to`; the columns between
    // shift by one towards `from`.
    void moveColumn(int from, int to);

    // Rows first, first+1, ... receive the rows order[0], order[1], ... (a permutation of
    // first .. first+order.size()-1). Every text moves with its row. An order that is no such
    // permutation of rows of the table changes nothing.
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

        // The next field of the current row. A view into buffer() is kept where it is when it
        // starts after every field kept so far, and then owns the byte after it unless the
        // next field starts there; any other text is copied. The bytes of kept fields must
        // not change afterwards.
        void addField(std::string_view text);
        // Ends the current row (also an empty one).
        void endRow();

        // Columns: at least minCols and the widest row; rows: at least minRows and
        // firstRow + the rows ended. Fields of a row not ended are dropped.
        CellTable finish(int minCols, int minRows) &&;

    private:
        int firstRow_;
        std::string buffer_;
        size_t bufferLimit_ = 0;            // buffer bytes fields may be kept in
        detail::PodArray<uint64_t> fields_; // handles of all fields, row after row
        detail::PodArray<uint32_t> widths_; // fields per ended row
        detail::PodArray<char> overflow_;
        size_t rowFields_ = 0; // fields of the current row
        size_t maxWidth_ = 0;
        size_t keptEnd_ = 0;           // end of the last field kept in the buffer
        size_t spareOwner_ = SIZE_MAX; // field owning the byte at keptEnd_
        size_t liveBuffer_ = 0;
        size_t liveOverflow_ = 0;
    };

private:
    friend class Builder;

    // A handle: bits 0-31 offset, 32-62 length, 63 one spare byte after the text. Offsets
    // below bufferLimit_ are in buffer_, the others in overflow_ (from bufferLimit_ on).
    static constexpr uint64_t kSpareBit = uint64_t(1) << 63;
    static constexpr size_t kMaxLength = 0x7FFFFFFF;
    static constexpr uint64_t kSpace = uint64_t(1) << 32; // offsets and owned ends below
    static constexpr size_t kMaxBuffer = size_t(1) << 31;

    static uint32_t offsetOf(uint64_t h) { return static_cast<uint32_t>(h); }
    static size_t lengthOf(uint64_t h) { return static_cast<size_t>((h >> 32) & kMaxLength); }
    static size_t ownedOf(uint64_t h) { return lengthOf(h) + static_cast<size_t>(h >> 63); }
    static uint64_t makeHandle(uint64_t offset, uint64_t length, bool spare)
    {
        return offset | (length << 32) | (spare ? kSpareBit : 0);
    }

    const char* bytesAt(uint32_t offset) const
    {
        return offset < bufferLimit_ ? buffer_.data() + offset
                                     : overflow_.data() + (offset - bufferLimit_);
    }
    char* bytesAt(uint32_t offset)
    {
        return offset < bufferLimit_ ? buffer_.data() + offset
                                     : overflow_.data() + (offset - bufferLimit_);
    }
    std::string_view textOf(uint64_t h) const
    {
        const size_t length = lengthOf(h);
        return length ? std::string_view(bytesAt(offsetOf(h)), length) : std::string_view("", 0);
    }

    // Forgets the bytes a handle owns (they become garbage).
    void release(uint64_t h);
    // Copies text to the end of the overflow arena with a spare byte; returns its handle.
    uint64_t append(std::string_view text);
    // Compacts the arenas when their garbage outweighs the live texts.
    void collectGarbage();
    // Copies every live text of the overflow arena (and, when `all`, of the buffer too) into
    // a new overflow arena.
    void compact(bool all);

    int cols_ = 0;
    int rows_ = 0;
    detail::PodArray<uint64_t> handles_; // row-major
    std::string buffer_;
    size_t bufferLimit_ = 0;
    detail::PodArray<char> overflow_;
    size_t liveBuffer_ = 0;   // bytes of buffer_ owned by cells
    size_t liveOverflow_ = 0; // bytes of overflow_ owned by cells
};

} // namespace core
