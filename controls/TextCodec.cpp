#include "controls/TextCodec.h"

#include "core/Cp1252.h"

namespace textcodec {

namespace {

bool representable(char32_t codePoint)
{
    return core::unicodeToCp1252(codePoint) >= 0;
}

// Letters whose mark is part of the letter itself (a stroke, a missing dot), so that they
// have no decomposition, with their plain forms.
char16_t strokeLetterBase(char32_t codePoint)
{
    switch (codePoint) {
    case 0x0110:
        return u'D'; // Đ
    case 0x0111:
        return u'd'; // đ
    case 0x0126:
        return u'H'; // Ħ
    case 0x0127:
        return u'h'; // ħ
    case 0x0131:
        return u'i'; // ı
    case 0x0141:
        return u'L'; // Ł
    case 0x0142:
        return u'l'; // ł
    case 0x0166:
        return u'T'; // Ŧ
    case 0x0167:
        return u't'; // ŧ
    case 0x0180:
        return u'b'; // ƀ
    case 0x0197:
        return u'I'; // Ɨ
    case 0x01B5:
        return u'Z'; // Ƶ
    case 0x01B6:
        return u'z'; // ƶ
    case 0x01E4:
        return u'G'; // Ǥ
    case 0x01E5:
        return u'g'; // ǥ
    case 0x0237:
        return u'j'; // ȷ
    case 0x0243:
        return u'B'; // Ƀ
    case 0x0268:
        return u'i'; // ɨ
    default:
        return 0;
    }
}

} // namespace

QChar foldChar(char32_t codePoint)
{
    if (!QChar::isLetter(codePoint))
        return QLatin1Char('?');
    if (const char16_t base = strokeLetterBase(codePoint))
        return QChar(base);
    // Follow the canonical decomposition down to its first character (ǻ -> å -> a) and take
    // the first form Windows-1252 can hold.
    char32_t current = codePoint;
    for (int depth = 0; depth < 4; ++depth) {
        if (QChar::decompositionTag(current) != QChar::Canonical)
            break;
        const QString parts = QChar::decomposition(current);
        if (parts.isEmpty())
            break;
        current = parts.at(0).isHighSurrogate() && parts.size() > 1
                      ? QChar::surrogateToUcs4(parts.at(0), parts.at(1))
                      : parts.at(0).unicode();
        if (representable(current) && QChar::isLetter(current))
            return QChar(static_cast<char16_t>(current));
        if (const char16_t base = strokeLetterBase(current))
            return QChar(base);
    }
    return QLatin1Char('?');
}

QString fold(QStringView text)
{
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QString folded;
    folded.reserve(composed.size());
    for (qsizetype i = 0; i < composed.size(); ++i) {
        char32_t code = composed[i].unicode();
        if (composed[i].isHighSurrogate() && i + 1 < composed.size() &&
            composed[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(composed[i], composed[i + 1]);
            ++i;
        }
        if (representable(code) || code == QChar::LineSeparator ||
            code == QChar::ParagraphSeparator)
            folded.append(composed[i]);
        else
            folded.append(foldChar(code));
    }
    return folded;
}

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
        bytes.push_back(
            static_cast<char>(byte >= 0 ? byte : core::unicodeToCp1252(foldChar(code).unicode())));
    }
    return bytes;
}

} // namespace textcodec
