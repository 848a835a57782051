#include "controls/ListEdit.h"

#include "controls/TextCodec.h"

ListEdit::ListEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ListEdit::Lines::clear()
{
    edit_.setText({});
}

void ListEdit::Lines::add(std::string_view line)
{
    std::string text = edit_.bytes_;
    if (text.empty() || text.ends_with("\r\n")) {
        text.append(line);
        text.append("\r\n");
    } else {
        text.append("\r\n");
        text.append(line);
    }
    edit_.setText(text);
}

std::string ListEdit::text() const
{
    return bytes_;
}

void ListEdit::setText(std::string_view bytes)
{
    bytes_ = bytes;
    QString shown = textcodec::decode(bytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    setPlainText(shown);
}

QColor ListEdit::color() const
{
    return palette().color(QPalette::Base);
}

void ListEdit::setColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}
