#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// Cuts lines into fields by a separator, rewriting each line's bytes in place (the quote
// rules only ever shrink a field). Linear in the line's length; no allocation for a field
// unless it holds a 0x0B byte.
class FieldCutter {
public:
    // Cuts the line [begin, end) with separator `sep` (none: the whole line is one field) and
    // calls emit(std::string_view) for every field in order. A field is a view into the line,
    // or, when it held a 0x0B byte, into a scratch text that is valid until the next field.
    // A line ending with the separator has no empty last field; an empty line has no field.
    template <typename Emit> void cut(char* begin, char* end, std::optional<char> sep, Emit&& emit);

    // The field's text after the quote and 0x0B rules: each pair of double quotes becomes
    // one, every other double quote is removed, every 0x0B becomes CR LF.
    std::string_view clean(char* begin, char* end);

private:
    static char* find(char* from, char* end, char c)
    {
        void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
        return hit ? static_cast<char*>(hit) : nullptr;
    }
    // The closing quote of a field whose opening quote was removed and whose rest is
    // [from, end): the last quote of the first odd run of quotes followed by another byte,
    // else the last byte when it is a quote; nullptr when there is none.
    static char* closingQuote(char* from, char* end);

    std::string scratch_;
};

template <typename Emit>
void FieldCutter::cut(char* p, char* end, std::optional<char> sep, Emit&& emit)
{
    const bool hasSep = sep.has_value();
    const char s = sep.value_or('\0');
    if (hasSep) {
        // The rest of the line contains the separator as long as it starts at or before the
        // line's last separator.
        char* lastSep = nullptr;
        for (char* q = end; q != p;) {
            if (*--q == s) {
                lastSep = q;
                break;
            }
        }
        while (lastSep && p <= lastSep) {
            if (*p == '"') {
                char* rest = p + 1;
                if (char* close = closingQuote(rest, end)) {
                    emit(clean(rest, close));
                    // Whatever follows the closing quote up to and including the next
                    // separator is dropped; without one, the rest of the line is.
                    char* next = find(close + 1, end, s);
                    p = next ? next + 1 : end;
                } else {
                    emit(std::string_view());
                    char* next = find(rest, end, s);
                    p = next ? next + 1 : end;
                }
            } else {
                char* next = find(p, end, s);
                emit(clean(p, next));
                p = next + 1;
            }
        }
    }
    if (p == end)
        return;
    if (*p == '"')
        ++p;
    if (p != end && end[-1] == '"')
        --end;
    emit(clean(p, end));
}

// Cuts a fixed-width line at split positions (ascending; a split at n falls after the n-th
// byte) into splits.size() + 1 parts and calls emit(std::string_view) for each. A line too
// short for a split gives short or empty parts. With `trim`, every part loses its leading
// and trailing spaces and control characters.
template <typename Emit>
void cutFixed(std::string_view line, const std::vector<int>& splits, bool trim, Emit&& emit)
{
    auto part = [&](size_t from, size_t to) {
        std::string_view text = line.substr(from, to - from);
        if (trim) {
            while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
                text.remove_prefix(1);
            while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
                text.remove_suffix(1);
        }
        emit(text);
    };
    size_t from = 0;
    for (int split : splits) {
        const size_t to = std::max(from, std::min(line.size(), static_cast<size_t>(split)));
        part(from, to);
        from = to;
    }
    part(from, line.size());
}

} // namespace csv
