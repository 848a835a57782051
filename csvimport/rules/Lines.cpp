#include "csvimport/rules/Lines.h"

#include <algorithm>
#include <cstring>

namespace csv {

namespace {
const char* find(const char* from, const char* end, char c)
{
    const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
}
} // namespace

std::string_view textBeforeNul(std::string_view bytes)
{
    const size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

std::string_view textBeforeEof(std::string_view bytes)
{
    const size_t eof = bytes.find('\x1a');
    return eof == std::string_view::npos ? bytes : bytes.substr(0, eof);
}

LineReader::LineReader(std::string_view text)
    : begin_(text.data()), pos_(text.data()), end_(text.data() + text.size()), nextCr_(nullptr),
      nextLf_(nullptr)
{
}

bool LineReader::next(std::string_view& line)
{
    if (pos_ == end_)
        return false;
    // The next CR and LF are remembered, so a text with only one kind of line end is not
    // searched again for the other kind at every line.
    if (!nextCr_ || nextCr_ < pos_)
        nextCr_ = find(pos_, end_, '\r');
    if (!nextLf_ || nextLf_ < pos_)
        nextLf_ = find(pos_, end_, '\n');
    const char* stop = std::min(nextCr_, nextLf_);
    line = std::string_view(pos_, static_cast<size_t>(stop - pos_));
    if (stop == end_)
        pos_ = end_;
    else if (*stop == '\r' && stop + 1 != end_ && stop[1] == '\n')
        pos_ = stop + 2;
    else
        pos_ = stop + 1;
    return true;
}

FixedLineReader::FixedLineReader(std::string_view text)
    : pos_(text.data()), end_(text.data() + text.size())
{
}

bool FixedLineReader::next(std::string_view& line)
{
    if (pos_ == end_)
        return false;
    const char* stop = find(pos_, end_, '\r');
    line = std::string_view(pos_, static_cast<size_t>(stop - pos_));
    if (stop == end_)
        pos_ = end_;
    else if (stop + 1 != end_ && stop[1] == '\n')
        pos_ = stop + 2;
    else
        pos_ = stop + 1;
    return true;
}

} // namespace csv
