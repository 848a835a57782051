#pragma once

#include <string>
#include <string_view>

namespace core {

// Windows-1252, the code page of every cell text and of the student list. The five bytes
// that the code page leaves undefined map to the C1 controls of the same value, so that all
// 256 byte values round-trip.
char32_t cp1252ToUnicode(unsigned char byte);

// The byte for a code point, or -1 when Windows-1252 cannot hold it.
int unicodeToCp1252(char32_t codePoint);

} // namespace core
