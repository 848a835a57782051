#include "controls/TextCodec.h"

#include "core/Cp1252.h"

namespace textcodec {

QString decode(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = QChar(
            static_cast<char16_t>(core::cp1252ToUnicode(static_cast<unsigned char>(bytes[i]))));
    return text;
}

std::string encode(QStringView text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int byte = core::unicodeToCp1252(code);
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

} // namespace textcodec
