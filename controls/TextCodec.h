#pragma once

#include <QString>
#include <string>
#include <string_view>

// Cell texts and the student list are Windows-1252 bytes; these turn them into text to show
// and back. Decoding and encoding round-trip every byte string exactly.
namespace textcodec {

QString decode(std::string_view bytes);

// Characters that Windows-1252 cannot hold are folded one by one as fold() does.
std::string encode(QStringView text);

// Text as the student list takes it in: every character Windows-1252 cannot hold is replaced
// so that what is shown is what will be saved. A letter that has a plain form without its
// accent or stroke becomes that form (Ł -> L, ş -> s, ő -> o), anything else '?'. Composed
// forms are formed first, so a letter followed by a combining accent counts as one letter.
// Line and paragraph separators stay: they are line breaks.
QString fold(QStringView text);

// The character a single unrepresentable code point folds to.
QChar foldChar(char32_t codePoint);

} // namespace textcodec
