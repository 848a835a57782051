#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace csv {

// The separators the automatic choice considers, in the order it prefers them.
inline constexpr std::array<char, 10> kCandidates = {',', ';', '#', '\t', '|',
                                                     '@', '*', '-', '+',  '&'};

// The number of bytes c in the line.
int plainCount(std::string_view line, char c);

// Each run of consecutive bytes c counts one when its length is odd and it is followed by
// another byte, nothing when its length is even and it is followed by another byte, and one
// when it ends the line.
int runCount(std::string_view line, char c);

// The separator for a file, worked out from its first two lines (a file of one line has an
// empty second line): the candidate whose run count is the same in both lines and largest
// above zero; failing that the same with plain counts; failing that the largest plain count
// in either line. Ties go to the earlier candidate. None when no candidate occurs.
std::optional<char> chooseSeparator(std::string_view first, std::string_view second);

} // namespace csv
