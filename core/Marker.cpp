#include "core/Marker.h"

namespace core {

std::string mark(std::string_view text)
{
    std::string result(text);
    if (!isMarked(text))
        result.push_back(kMarker);
    return result;
}

std::string alignedMark(std::string_view text, bool selected, bool titleRow)
{
    if (selected)
        return titleRow ? std::string(text) : mark(text);
    return std::string(unmark(text));
}

} // namespace core
