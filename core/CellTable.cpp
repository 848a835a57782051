#include "core/CellTable.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace core {

namespace {

// True when p points into [begin, begin + size).
bool pointsInto(const char* p, const char* begin, size_t size)
{
    const auto u = reinterpret_cast<uintptr_t>(p);
    const auto b = reinterpret_cast<uintptr_t>(begin);
    return begin && u >= b && u - b < size;
}

} // namespace

CellTable::CellTable(int cols, int rows)
{
    resize(cols, rows);
}

CellTable::CellTable(CellTable&& other) noexcept
    : cols_(std::exchange(other.cols_, 0)), rows_(std::exchange(other.rows_, 0)),
      handles_(std::move(other.handles_)), buffer_(std::move(other.buffer_)),
      bufferLimit_(std::exchange(other.bufferLimit_, 0)), overflow_(std::move(other.overflow_)),
      liveBuffer_(std::exchange(other.liveBuffer_, 0)),
      liveOverflow_(std::exchange(other.liveOverflow_, 0))
{
    other.buffer_.clear();
}

CellTable& CellTable::operator=(CellTable&& other) noexcept
{
    if (this != &other) {
        CellTable moved(std::move(other));
        std::swap(cols_, moved.cols_);
        std::swap(rows_, moved.rows_);
        handles_.swap(moved.handles_);
        buffer_.swap(moved.buffer_);
        std::swap(bufferLimit_, moved.bufferLimit_);
        overflow_.swap(moved.overflow_);
        std::swap(liveBuffer_, moved.liveBuffer_);
        std::swap(liveOverflow_, moved.liveOverflow_);
    }
    return *this;
}

void CellTable::resize(int cols, int rows)
{
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    const size_t oldCols = static_cast<size_t>(cols_);
    const size_t newCols = static_cast<size_t>(cols);
    const size_t keptRows = static_cast<size_t>(std::min(rows, rows_));
    const size_t keptCols = std::min(oldCols, newCols);
    const size_t total = newCols * static_cast<size_t>(rows);

    // The texts of dropped cells become garbage.
    for (size_t r = keptCols == oldCols ? keptRows : 0; r < static_cast<size_t>(rows_); ++r) {
        const size_t from = r < keptRows ? keptCols : 0;
        for (size_t c = from; c < oldCols; ++c)
            release(handles_[r * oldCols + c]);
    }

    // Growing by half at least, so that adding rows one by one stays linear.
    if (total > handles_.capacity())
        handles_.reserve(std::max(total, handles_.capacity() + handles_.capacity() / 2));
    uint64_t* h;
    if (newCols == oldCols) {
        h = handles_.data();
    } else if (newCols < oldCols) {
        // Rows move towards the front, the first one stays.
        h = handles_.data();
        for (size_t r = 1; r < keptRows; ++r)
            std::memmove(h + r * newCols, h + r * oldCols, newCols * sizeof(uint64_t));
    } else {
        // Rows move towards the back: last row first.
        handles_.resize(std::max(total, handles_.size()));
        h = handles_.data();
        for (size_t r = keptRows; r-- > 0;) {
            std::memmove(h + r * newCols, h + r * oldCols, oldCols * sizeof(uint64_t));
            std::memset(h + r * newCols + oldCols, 0, (newCols - oldCols) * sizeof(uint64_t));
        }
    }
    const size_t keptEnd = std::min(keptRows * newCols, handles_.size());
    if (handles_.size() > keptEnd)
        std::memset(h + keptEnd, 0, (handles_.size() - keptEnd) * sizeof(uint64_t));
    handles_.resize(total);
    if (handles_.capacity() > 2 * total + 64)
        handles_.setCapacity(total);
    cols_ = cols;
    rows_ = rows;
    collectGarbage();
}

void CellTable::setCell(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    if (text.size() > kMaxLength)
        throw std::length_error("CellTable: text of 2 GiB or more");
    const size_t index =
        static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
    const uint64_t h = handles_[index];
    const size_t owned = ownedOf(h);
    if (owned > 0 && text.size() <= owned) {
        // In place: a prefix (unmarking) needs no copy, a text one byte longer (marking)
        // fills the spare byte.
        const uint32_t offset = offsetOf(h);
        char* bytes = bytesAt(offset);
        if (!text.empty() && text.data() != bytes)
            std::memmove(bytes, text.data(), text.size());
        const bool spare = owned > text.size();
        const size_t lost = owned - text.size() - (spare ? 1 : 0);
        (offset < bufferLimit_ ? liveBuffer_ : liveOverflow_) -= lost;
        handles_[index] = makeHandle(offset, text.size(), spare);
        return;
    }
    release(h);
    handles_[index] = 0;
    if (!text.empty())
        handles_[index] = append(text);
    collectGarbage();
}

void CellTable::clearCells()
{
    if (handles_.size())
        std::memset(handles_.data(), 0, handles_.size() * sizeof(uint64_t));
    std::string().swap(buffer_);
    bufferLimit_ = 0;
    overflow_.clear();
    liveBuffer_ = 0;
    liveOverflow_ = 0;
}

void CellTable::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= cols_ || to >= cols_ || from == to)
        return;
    const size_t cols = static_cast<size_t>(cols_);
    const size_t f = static_cast<size_t>(from);
    const size_t t = static_cast<size_t>(to);
    uint64_t* row = handles_.data();
    for (int r = 0; r < rows_; ++r, row += cols) {
        const uint64_t moved = row[f];
        if (f < t)
            std::memmove(row + f, row + f + 1, (t - f) * sizeof(uint64_t));
        else
            std::memmove(row + t + 1, row + t, (f - t) * sizeof(uint64_t));
        row[t] = moved;
    }
}

void CellTable::permuteRows(int first, const std::vector<int>& order)
{
    const size_t n = order.size();
    if (n == 0 || first < 0 || first > rows_ || n > static_cast<size_t>(rows_ - first))
        return;
    // Checked first: a wrong order leaves the table as it was.
    std::vector<bool> done(n);
    for (int row : order) {
        const long long i = static_cast<long long>(row) - first;
        if (i < 0 || i >= static_cast<long long>(n) || done[static_cast<size_t>(i)])
            return;
        done[static_cast<size_t>(i)] = true;
    }
    if (cols_ == 0)
        return;
    std::fill(done.begin(), done.end(), false);

    // Follow each cycle of the permutation, holding one row aside.
    const size_t cols = static_cast<size_t>(cols_);
    const size_t rowBytes = cols * sizeof(uint64_t);
    uint64_t* base = handles_.data() + static_cast<size_t>(first) * cols;
    std::vector<uint64_t> held(cols);
    for (size_t start = 0; start < n; ++start) {
        if (done[start])
            continue;
        done[start] = true;
        size_t src = static_cast<size_t>(order[start] - first);
        if (src == start)
            continue;
        std::memcpy(held.data(), base + start * cols, rowBytes);
        size_t dst = start;
        while (src != start) {
            std::memcpy(base + dst * cols, base + src * cols, rowBytes);
            done[src] = true;
            dst = src;
            src = static_cast<size_t>(order[dst] - first);
        }
        std::memcpy(base + dst * cols, held.data(), rowBytes);
    }
}

size_t CellTable::memoryUsage() const
{
    const size_t buffer = buffer_.capacity() > 15 ? buffer_.capacity() + 1 : 0;
    return handles_.capacity() * sizeof(uint64_t) + buffer + overflow_.capacity();
}

void CellTable::release(uint64_t h)
{
    const size_t owned = ownedOf(h);
    if (owned)
        (offsetOf(h) < bufferLimit_ ? liveBuffer_ : liveOverflow_) -= owned;
}

uint64_t CellTable::append(std::string_view text)
{
    const size_t need = text.size() + 1;
    std::string held;
    if (bufferLimit_ + overflow_.size() + need > kSpace) {
        // Compacting moves the texts, so a text of this table is held aside first.
        if (pointsInto(text.data(), buffer_.data(), buffer_.size()) ||
            pointsInto(text.data(), overflow_.data(), overflow_.size())) {
            held.assign(text);
            text = held;
        }
        compact(false);
        if (bufferLimit_ + overflow_.size() + need > kSpace)
            compact(true);
        if (bufferLimit_ + overflow_.size() + need > kSpace)
            throw std::length_error("CellTable: texts of 4 GiB or more");
    }
    const char* from = text.data();
    const bool inOverflow = pointsInto(from, overflow_.data(), overflow_.size());
    const size_t at = inOverflow ? static_cast<size_t>(from - overflow_.data()) : 0;
    const size_t pos = overflow_.size();
    char* to = overflow_.extend(need);
    if (inOverflow)
        from = overflow_.data() + at;
    std::memcpy(to, from, text.size());
    to[text.size()] = '\0';
    liveOverflow_ += need;
    return makeHandle(bufferLimit_ + pos, text.size(), true);
}

void CellTable::collectGarbage()
{
    const size_t slack = handles_.size() + 4096;
    if (bufferLimit_ && bufferLimit_ - liveBuffer_ > liveBuffer_ + slack)
        compact(true);
    else if (overflow_.size() - liveOverflow_ > liveOverflow_ + slack)
        compact(false);
}

void CellTable::compact(bool all)
{
    const size_t live = liveOverflow_ + (all ? liveBuffer_ : 0);
    detail::PodArray<char> arena;
    arena.setCapacity(live + live / 8 + 64);
    const size_t base = all ? 0 : bufferLimit_;
    uint64_t* h = handles_.data();
    for (size_t i = 0, n = handles_.size(); i < n; ++i) {
        const size_t owned = ownedOf(h[i]);
        if (!owned) {
            h[i] = 0;
            continue;
        }
        const uint32_t offset = offsetOf(h[i]);
        if (!all && offset < bufferLimit_)
            continue;
        const size_t pos = arena.size();
        std::memcpy(arena.extend(owned), bytesAt(offset), owned);
        h[i] = makeHandle(base + pos, lengthOf(h[i]), (h[i] & kSpareBit) != 0);
    }
    overflow_ = std::move(arena);
    if (all) {
        std::string().swap(buffer_);
        bufferLimit_ = 0;
        liveOverflow_ += liveBuffer_;
        liveBuffer_ = 0;
    }
}

CellTable::Builder::Builder(int firstRow, std::string buffer)
    : firstRow_(std::max(firstRow, 0)), buffer_(std::move(buffer)),
      bufferLimit_(std::min(buffer_.size(), kMaxBuffer))
{
    // Room for a field per 6 bytes: pages never written are never taken from the system.
    fields_.reserve(bufferLimit_ / 6 + 16);
    widths_.reserve(bufferLimit_ / 32 + 16);
}

void CellTable::Builder::addField(std::string_view text)
{
    const size_t n = text.size();
    ++rowFields_;
    if (n == 0) {
        fields_.push(0);
        return;
    }
    if (n > kMaxLength)
        throw std::length_error("CellTable: text of 2 GiB or more");
    const auto p = reinterpret_cast<uintptr_t>(text.data());
    const auto base = reinterpret_cast<uintptr_t>(buffer_.data());
    if (p >= base && p - base >= keptEnd_ && p - base < bufferLimit_ &&
        n <= bufferLimit_ - (p - base)) {
        const size_t begin = p - base;
        const size_t end = begin + n;
        // The previous kept field's spare byte is this field's first byte.
        if (spareOwner_ != SIZE_MAX && begin == keptEnd_) {
            fields_[spareOwner_] &= ~kSpareBit;
            --liveBuffer_;
        }
        const bool spare = end < bufferLimit_;
        spareOwner_ = spare ? fields_.size() : SIZE_MAX;
        fields_.push(makeHandle(begin, n, spare));
        liveBuffer_ += n + (spare ? 1 : 0);
        keptEnd_ = end;
        return;
    }
    if (bufferLimit_ + overflow_.size() + n + 1 > kSpace)
        throw std::length_error("CellTable: texts of 4 GiB or more");
    const size_t pos = overflow_.size();
    char* to = overflow_.extend(n + 1);
    std::memcpy(to, text.data(), n);
    to[n] = '\0';
    liveOverflow_ += n + 1;
    fields_.push(makeHandle(bufferLimit_ + pos, n, true));
}

void CellTable::Builder::endRow()
{
    if (rowFields_ > static_cast<size_t>(INT_MAX))
        throw std::length_error("CellTable: too many columns");
    widths_.push(static_cast<uint32_t>(rowFields_));
    maxWidth_ = std::max(maxWidth_, rowFields_);
    rowFields_ = 0;
}

CellTable CellTable::Builder::finish(int minCols, int minRows) &&
{
    // Fields of a row never ended are dropped.
    for (; rowFields_ > 0; --rowFields_) {
        const uint64_t h = fields_[fields_.size() - 1];
        const size_t owned = ownedOf(h);
        if (owned)
            (offsetOf(h) < bufferLimit_ ? liveBuffer_ : liveOverflow_) -= owned;
        fields_.resize(fields_.size() - 1);
    }
    const size_t first = static_cast<size_t>(firstRow_);
    const size_t built = widths_.size();
    const size_t cols = std::max(maxWidth_, static_cast<size_t>(std::max(minCols, 0)));
    const size_t rows = std::max(static_cast<size_t>(std::max(minRows, 0)), first + built);
    if (rows > static_cast<size_t>(INT_MAX))
        throw std::length_error("CellTable: too many rows");
    if (cols && rows > SIZE_MAX / sizeof(uint64_t) / cols)
        throw std::length_error("CellTable: too many cells");
    const size_t total = cols * rows;

    // Rows move from their packed places to their places in the rectangle, last row first:
    // a row's place never lies before its packed place.
    const size_t count = fields_.size();
    fields_.resize(std::max(total, count));
    uint64_t* h = fields_.data();
    size_t srcEnd = count;
    for (size_t r = built; r-- > 0;) {
        const size_t width = widths_[r];
        const size_t src = srcEnd - width;
        const size_t dst = (first + r) * cols;
        if (dst != src)
            std::memmove(h + dst, h + src, width * sizeof(uint64_t));
        std::memset(h + dst + width, 0, (cols - width) * sizeof(uint64_t));
        srcEnd = src;
    }
    const size_t builtEnd = (first + built) * cols;
    if (total) {
        std::memset(h, 0, first * cols * sizeof(uint64_t));
        std::memset(h + builtEnd, 0, (total - builtEnd) * sizeof(uint64_t));
    }
    fields_.setCapacity(total);
    widths_.clear();

    CellTable table;
    table.cols_ = static_cast<int>(cols);
    table.rows_ = static_cast<int>(rows);
    table.handles_ = std::move(fields_);
    if (buffer_.size() < bufferLimit_)
        buffer_.resize(bufferLimit_);
    table.buffer_ = std::move(buffer_);
    table.bufferLimit_ = bufferLimit_;
    overflow_.setCapacity(overflow_.size());
    table.overflow_ = std::move(overflow_);
    table.liveBuffer_ = liveBuffer_;
    table.liveOverflow_ = liveOverflow_;
    return table;
}

} // namespace core
