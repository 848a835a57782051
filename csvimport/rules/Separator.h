#pragma once

#include <array>

namespace csv {

// The separators the automatic choice considers, in the order it prefers them.
inline constexpr std::array<char, 10> kCandidates = {',', ';', '#', '\t', '|',
                                                     '@', '*', '-', '+', '&'};

} // namespace csv
