#include "csvimport/rules/Fields.h"

namespace csv {

char* FieldCutter::closingQuote(char* from, char* end)
{
    for (char* run = find(from, end, '"'); run; run = find(run, end, '"')) {
        char* after = run;
        while (after != end && *after == '"')
            ++after;
        if (after == end)
            break;
        if ((after - run) % 2 == 1)
            return after - 1;
        run = after;
    }
    if (from != end && end[-1] == '"')
        return end - 1;
    return nullptr;
}

std::string_view FieldCutter::clean(char* begin, char* end)
{
    char* r = begin;
    while (r != end && *r != '"' && *r != '\x0b')
        ++r;
    if (r == end)
        return {begin, static_cast<size_t>(end - begin)};

    if (!std::memchr(r, '\x0b', static_cast<size_t>(end - r))) {
        // Only quotes to drop: the field shrinks in place.
        char* w = r;
        while (r != end) {
            if (*r == '"') {
                if (r + 1 != end && r[1] == '"') {
                    *w++ = '"';
                    r += 2;
                } else {
                    ++r;
                }
            } else {
                *w++ = *r++;
            }
        }
        return {begin, static_cast<size_t>(w - begin)};
    }

    // 0x0B grows into CR LF, so this field is written into the scratch text.
    scratch_.assign(begin, r);
    while (r != end) {
        if (*r == '"') {
            if (r + 1 != end && r[1] == '"') {
                scratch_ += '"';
                r += 2;
            } else {
                ++r;
            }
        } else if (*r == '\x0b') {
            scratch_ += "\r\n";
            ++r;
        } else {
            scratch_ += *r++;
        }
    }
    return scratch_;
}

} // namespace csv
