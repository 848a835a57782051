#pragma once

#include <string>
#include <string_view>

namespace core {

// A data cell is picked for the student list when its text ends with this byte
// (a no-break space in Windows-1252, invisible at the end of a left-aligned text).
inline constexpr char kMarker = '\xA0';

// True exactly when the last byte is the marker; false for the empty text.
inline bool isMarked(std::string_view text)
{
    return !text.empty() && text.back() == kMarker;
}

// The text with the marker appended, unless it already ends with one.
std::string mark(std::string_view text);

// The text without one trailing marker; unchanged when it has none.
inline std::string_view unmark(std::string_view text)
{
    return isMarked(text) ? text.substr(0, text.size() - 1) : text;
}

// What a cell should hold when it is shown selected or not: title cells (row 0) are never
// marked, data cells are marked exactly when selected. Returns the text unchanged when it is
// already in line.
std::string alignedMark(std::string_view text, bool selected, bool titleRow);

} // namespace core
