#pragma once

#include <string_view>

namespace core {

// The order a teacher expects of names and group numbers: letters compared without regard to
// case (also the accented letters of Windows-1252), and runs of digits compared by their value,
// so "groep 9" comes before "groep 10". Returns <0, 0 or >0. Texts that differ only in case or
// in leading zeros compare equal, so a stable sort keeps their order.
int naturalCompare(std::string_view a, std::string_view b);

inline bool naturalLess(std::string_view a, std::string_view b)
{
    return naturalCompare(a, b) < 0;
}

} // namespace core
