#include "csvimport/rules/Separator.h"

#include <algorithm>
#include <cstddef>

namespace csv {

int plainCount(std::string_view line, char c)
{
    return static_cast<int>(std::count(line.begin(), line.end(), c));
}

int runCount(std::string_view line, char c)
{
    int count = 0;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] != c) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < line.size() && line[end] == c)
            ++end;
        if (end == line.size() || (end - i) % 2 == 1)
            ++count;
        i = end;
    }
    return count;
}

namespace {

// The earliest candidate whose count is the same in both lines and largest above zero.
template <typename Count>
std::optional<char> sameInBoth(std::string_view first, std::string_view second, Count count)
{
    std::optional<char> best;
    int bestCount = 0;
    for (char c : kCandidates) {
        const int n = count(first, c);
        if (n > bestCount && n == count(second, c)) {
            best = c;
            bestCount = n;
        }
    }
    return best;
}

} // namespace

std::optional<char> chooseSeparator(std::string_view first, std::string_view second)
{
    if (auto c = sameInBoth(first, second, runCount))
        return c;
    if (auto c = sameInBoth(first, second, plainCount))
        return c;
    std::optional<char> best;
    int bestCount = 0;
    for (char c : kCandidates) {
        const int n = std::max(plainCount(first, c), plainCount(second, c));
        if (n > bestCount) {
            best = c;
            bestCount = n;
        }
    }
    return best;
}

} // namespace csv
