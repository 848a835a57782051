#pragma once

#include <QString>
#include <string>
#include <string_view>

// Cell texts and the student list are Windows-1252 bytes; these turn them into text to show
// and back. Decoding and encoding round-trip every byte string exactly.
namespace textcodec {

QString decode(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'.
std::string encode(QStringView text);

} // namespace textcodec
