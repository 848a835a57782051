#include "core/CellTable.h"

#include "core/Errors.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

namespace core {

namespace {

// Positions are 32 bits: the file's bytes and the texts written later must fit.
void checkSpace(size_t bytes)
{
    if (bytes > std::numeric_limits<uint32_t>::max())
        throw Error("Het bestand is te groot om te importeren");
}

uint8_t shortMeta(size_t length, bool spare)
{
    return static_cast<uint8_t>((length < 0x7F ? length : 0x7F) | (spare ? 0x80 : 0));
}

} // namespace

CellTable::CellTable(int cols, int rows)
{
    resize(cols, rows);
}

void CellTable::setLength(size_t i, size_t length, bool spare)
{
    if ((meta_[i] & kLong) == kLong && length < kLong)
        long_.erase(i);
    meta_[i] = shortMeta(length, spare);
    if (length >= kLong)
        long_[i] = static_cast<uint32_t>(length);
}

void CellTable::relayout(int cols, int rows)
{
    std::vector<uint32_t> position(static_cast<size_t>(cols) * rows, 0);
    std::vector<uint8_t> meta(position.size(), 0);
    std::unordered_map<size_t, uint32_t> longs;
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c) {
            const size_t from = index(c, r);
            const size_t to = static_cast<size_t>(r) * cols + c;
            position[to] = position_[from];
            meta[to] = meta_[from];
            if ((meta_[from] & kLong) == kLong)
                longs[to] = long_.at(from);
        }
    position_ = std::move(position);
    meta_ = std::move(meta);
    long_ = std::move(longs);
    rowOrder_.resize(static_cast<size_t>(rows));
    std::iota(rowOrder_.begin(), rowOrder_.end(), 0u);
    colOrder_.resize(static_cast<size_t>(cols));
    std::iota(colOrder_.begin(), colOrder_.end(), 0u);
    cols_ = cols;
    rows_ = rows;
}

void CellTable::resize(int cols, int rows)
{
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == cols_ && rows >= rows_) {
        // New rows go after the physical ones; nothing moves.
        const auto physical = static_cast<uint32_t>(position_.size() / std::max(cols, 1));
        position_.resize(position_.size() + static_cast<size_t>(rows - rows_) * cols, 0);
        meta_.resize(position_.size(), 0);
        for (int r = rows_; r < rows; ++r)
            rowOrder_.push_back(physical + static_cast<uint32_t>(r - rows_));
        rows_ = rows;
        return;
    }
    if (cols != cols_ || rows != rows_)
        relayout(cols, rows);
}

void CellTable::setCell(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    const size_t i = index(col, row);
    const size_t room = lengthAt(i) + ((meta_[i] & kSpare) ? 1 : 0);
    if (text.size() <= room) {
        // In place: a prefix of the own text (an unmark) or one byte more (a mark).
        if (!text.empty())
            std::memmove(bytesAt(i), text.data(), text.size());
        setLength(i, text.size(), room > text.size());
        return;
    }
    // Elsewhere, with a spare byte; the text may lie in the arena that is about to grow.
    const bool inArena = !arena_.empty() && text.data() >= arena_.data() &&
                         text.data() < arena_.data() + arena_.size();
    const std::string copy = inArena ? std::string(text) : std::string();
    const std::string_view source = inArena ? std::string_view(copy) : text;
    checkSpace(buffer_.size() + arena_.size() + source.size() + 1);
    position_[i] = static_cast<uint32_t>(buffer_.size() + arena_.size());
    arena_.append(source);
    arena_.push_back('\0');
    setLength(i, source.size(), true);
}

void CellTable::clearCells()
{
    std::fill(position_.begin(), position_.end(), 0u);
    std::fill(meta_.begin(), meta_.end(), uint8_t{0});
    long_.clear();
    std::string().swap(buffer_);
    std::string().swap(arena_);
}

void CellTable::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= cols_ || to >= cols_ || from == to)
        return;
    const auto order = colOrder_.begin();
    if (from < to)
        std::rotate(order + from, order + from + 1, order + to + 1);
    else
        std::rotate(order + to, order + from, order + from + 1);
}

void CellTable::permuteRows(int first, const std::vector<int>& order)
{
    std::vector<uint32_t> moved(order.size());
    for (size_t k = 0; k < order.size(); ++k)
        moved[k] = rowOrder_[static_cast<size_t>(order[k])];
    std::copy(moved.begin(), moved.end(), rowOrder_.begin() + first);
}

size_t CellTable::memoryUsage() const
{
    return buffer_.capacity() + arena_.capacity() + position_.capacity() * sizeof(uint32_t) +
           meta_.capacity() + (rowOrder_.capacity() + colOrder_.capacity()) * sizeof(uint32_t) +
           long_.size() * (sizeof(size_t) + sizeof(uint32_t) + 2 * sizeof(void*)) +
           long_.bucket_count() * sizeof(void*);
}

// ---- Builder --------------------------------------------------------------------------------

CellTable::Builder::Builder(int firstRow, std::string buffer)
    : firstRow_(std::max(firstRow, 0)), buffer_(std::move(buffer))
{
}

void CellTable::Builder::addField(std::string_view text)
{
    const size_t field = positions_.size();
    const char* base = buffer_.data();
    const bool inBuffer = text.data() >= base + bufferEnd_ && text.data() >= base &&
                          text.data() + text.size() <= base + buffer_.size() &&
                          (text.data() != nullptr || text.empty());
    if (inBuffer && text.data() != nullptr) {
        const auto pos = static_cast<size_t>(text.data() - base);
        // The field before gets a spare byte when this one does not start right after it.
        if (lastInBuffer_ != SIZE_MAX && pos > bufferEnd_)
            metas_[lastInBuffer_] |= kSpare;
        positions_.push_back(static_cast<uint32_t>(pos));
        metas_.push_back(shortMeta(text.size(), false));
        lastInBuffer_ = field;
        bufferEnd_ = pos + text.size();
    } else {
        arenaFields_.push_back(field);
        positions_.push_back(static_cast<uint32_t>(arena_.size()));
        metas_.push_back(shortMeta(text.size(), true));
        arena_.append(text);
        arena_.push_back('\0');
    }
    if (text.size() >= kLong)
        longFields_[field] = static_cast<uint32_t>(text.size());
    ++fieldsInRow_;
}

void CellTable::Builder::endRow()
{
    rowFields_.push_back(fieldsInRow_);
    fieldsInRow_ = 0;
}

CellTable CellTable::Builder::finish(int minCols, int minRows) &&
{
    checkSpace(buffer_.size() + arena_.size());
    if (lastInBuffer_ != SIZE_MAX && bufferEnd_ < buffer_.size())
        metas_[lastInBuffer_] |= kSpare;
    int cols = std::max(minCols, 0);
    for (uint32_t n : rowFields_)
        cols = std::max(cols, static_cast<int>(n));
    const int rows = std::max(minRows, firstRow_ + static_cast<int>(rowFields_.size()));

    CellTable table;
    table.resize(cols, rows);
    table.buffer_ = std::move(buffer_);
    table.arena_ = std::move(arena_);
    const auto arenaBase = static_cast<uint32_t>(table.buffer_.size());
    size_t field = 0;
    size_t nextArena = 0;
    for (size_t k = 0; k < rowFields_.size(); ++k) {
        const size_t rowStart = (static_cast<size_t>(firstRow_) + k) * cols;
        for (uint32_t j = 0; j < rowFields_[k]; ++j, ++field) {
            uint32_t pos = positions_.front();
            positions_.pop_front();
            const uint8_t meta = metas_.front();
            metas_.pop_front();
            if (nextArena < arenaFields_.size() && arenaFields_[nextArena] == field) {
                pos += arenaBase;
                ++nextArena;
            }
            const size_t i = rowStart + j;
            table.position_[i] = pos;
            table.meta_[i] = meta;
            if ((meta & kLong) == kLong)
                table.long_[i] = longFields_.at(field);
        }
    }
    return table;
}

} // namespace core
