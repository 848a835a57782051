#include "core/NaturalOrder.h"

#include <cstddef>

namespace core {

namespace {

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// The lower-case form of a Windows-1252 byte.
unsigned char fold(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<unsigned char>(c + 16);
    case 0x9F: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

} // namespace

int naturalCompare(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (isDigit(ca) && isDigit(cb)) {
            // Compare the two numbers by value: skip leading zeros, then the longer run is
            // the larger number, and runs of equal length compare digit by digit.
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            size_t ei = i;
            size_t ej = j;
            while (ei < a.size() && isDigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && isDigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            if (ei - i != ej - j)
                return ei - i < ej - j ? -1 : 1;
            for (; i < ei; ++i, ++j) {
                if (a[i] != b[j])
                    return a[i] < b[j] ? -1 : 1;
            }
            continue;
        }
        const unsigned char fa = fold(ca);
        const unsigned char fb = fold(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace core
