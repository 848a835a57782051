#include "controls/ListEdit.h"

#include "controls/TextCodec.h"
#include "core/Cp1252.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <algorithm>

namespace {

constexpr QChar kBreak = QChar::ParagraphSeparator;

} // namespace

ListEdit::ListEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control, as in the rest of the window.
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int from, int, int) { documentChanged(from); });
}

void ListEdit::Lines::clear()
{
    edit_.setText({});
}

void ListEdit::Lines::add(std::string_view line)
{
    std::string bytes;
    bytes.reserve(line.size() + 2);
    if (edit_.units_.empty() || edit_.endsWithCrLf()) {
        bytes.append(line);
        bytes.append("\r\n");
    } else {
        bytes.append("\r\n");
        bytes.append(line);
    }
    edit_.append(bytes);
}

std::vector<ListEdit::Unit> ListEdit::unitsOf(std::string_view bytes)
{
    std::vector<Unit> units;
    units.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            units.push_back(kCrLf);
            ++i;
        } else {
            units.push_back(static_cast<unsigned char>(bytes[i]));
        }
    }
    return units;
}

QString ListEdit::shownOf(const std::vector<Unit>& units)
{
    QString shown;
    shown.reserve(static_cast<qsizetype>(units.size()));
    for (const Unit unit : units) {
        if (unit == kCrLf || unit == '\r' || unit == '\n')
            shown.append(kBreak);
        else
            shown.append(QChar(static_cast<char16_t>(core::cp1252ToUnicode(unit & 0xFF))));
    }
    return shown;
}

ListEdit::Unit ListEdit::unitOf(QChar shown)
{
    if (shown == QChar::ParagraphSeparator || shown == QChar::LineSeparator)
        return kCrLf;
    if (shown.isLowSurrogate())
        return kNothing;
    int byte = core::unicodeToCp1252(shown.unicode());
    if (byte < 0)
        byte = core::unicodeToCp1252(textcodec::foldChar(shown.unicode()).unicode());
    return static_cast<Unit>(byte);
}

bool ListEdit::endsWithCrLf() const
{
    // The last two bytes, whatever units hold them.
    std::string last;
    for (auto it = units_.rbegin(); it != units_.rend() && last.size() < 2; ++it) {
        if (*it == kCrLf)
            last.insert(0, "\r\n");
        else if (*it != kNothing)
            last.insert(last.begin(), static_cast<char>(*it));
    }
    return last.ends_with("\r\n");
}

std::string ListEdit::text() const
{
    std::string bytes;
    bytes.reserve(units_.size() + units_.size() / 8);
    for (const Unit unit : units_) {
        if (unit == kCrLf)
            bytes.append("\r\n");
        else if (unit != kNothing)
            bytes.push_back(static_cast<char>(unit));
    }
    return bytes;
}

void ListEdit::setText(std::string_view bytes)
{
    QScopedValueRollback guard(programEdit_, true);
    units_ = unitsOf(bytes);
    shown_ = shownOf(units_);
    setPlainText(shown_);
}

void ListEdit::append(std::string_view bytes)
{
    QScopedValueRollback guard(programEdit_, true);
    const std::vector<Unit> added = unitsOf(bytes);
    const QString shown = shownOf(added);
    units_.insert(units_.end(), added.begin(), added.end());
    shown_.append(shown);

    // Like a whole new text, an added line cannot be undone; the caret stays where it was.
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(shown);
    document()->setUndoRedoEnabled(undo);
}

QString ListEdit::documentText() const
{
    // The raw characters, no-break spaces and separators as they are (the document's own end
    // is not among them).
    return document()->toRawText();
}

void ListEdit::documentChanged(int from)
{
    if (programEdit_)
        return;
    // Keep the units of everything before and after the change; the changed middle gets
    // units of what it now shows.
    const QString now = documentText();
    const qsizetype oldSize = shown_.size();
    const qsizetype newSize = now.size();
    const qsizetype maxPrefix =
        std::min({static_cast<qsizetype>(std::max(from, 0)), oldSize, newSize});
    qsizetype prefix = 0;
    while (prefix < maxPrefix && shown_[prefix] == now[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < oldSize - prefix && suffix < newSize - prefix &&
           shown_[oldSize - 1 - suffix] == now[newSize - 1 - suffix])
        ++suffix;

    std::vector<Unit> middle;
    middle.reserve(static_cast<size_t>(newSize - prefix - suffix));
    for (qsizetype i = prefix; i < newSize - suffix; ++i)
        middle.push_back(unitOf(now[i]));
    units_.erase(units_.begin() + prefix, units_.begin() + (oldSize - suffix));
    units_.insert(units_.begin() + prefix, middle.begin(), middle.end());
    shown_ = now;
}

void ListEdit::keyPressEvent(QKeyEvent* event)
{
    const QString folded = textcodec::fold(event->text());
    if (folded == event->text()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), folded,
                       event->isAutoRepeat(), static_cast<quint16>(event->count()));
    QPlainTextEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void ListEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString folded = textcodec::fold(event->commitString());
    if (folded == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent replaced(event->preeditString(), event->attributes());
    replaced.setCommitString(folded, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void ListEdit::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // Inserted as plain text, so that every line break pasted stays one, a final one too.
    QTextCursor cursor = textCursor();
    cursor.insertText(textcodec::fold(source->text()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* ListEdit::createMimeDataFromSelection() const
{
    // The selected characters as they are: a copied marker stays a no-break space.
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
    auto* data = new QMimeData;
    data->setText(selected);
    return data;
}

QColor ListEdit::color() const
{
    return palette().color(QPalette::Base);
}

void ListEdit::setColor(const QColor& color)
{
    if (color == this->color())
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}
