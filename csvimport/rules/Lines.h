#pragma once

#include <cstddef>
#include <string_view>

namespace csv {

// The text of a file in separator mode: every byte before the first NUL.
std::string_view textBeforeNul(std::string_view bytes);

// The text of a file in fixed-width mode: every byte before the first 0x1A.
std::string_view textBeforeEof(std::string_view bytes);

// Cuts a text into lines in separator mode. A line ends at CR LF, at a lone LF or at a lone
// CR; LF CR is two line ends with an empty line between them. The last line needs no line
// end, and a line end at the very end adds no empty line. Linear in the text's length.
class LineReader {
public:
    explicit LineReader(std::string_view text);

    // The next line without its line end; false when there is none.
    bool next(std::string_view& line);
    // Where the next line starts.
    size_t offset() const { return static_cast<size_t>(pos_ - begin_); }

private:
    const char* begin_;
    const char* pos_;
    const char* end_;
    const char* nextCr_;
    const char* nextLf_;
};

// Cuts a text into lines in fixed-width mode: a line ends at CR, a LF right after that CR
// belongs to the line end, and a LF anywhere else is an ordinary byte. A line end at the
// very end adds no empty line.
class FixedLineReader {
public:
    explicit FixedLineReader(std::string_view text);
    bool next(std::string_view& line);

private:
    const char* pos_;
    const char* end_;
};

} // namespace csv
