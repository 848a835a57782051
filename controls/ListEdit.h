#pragma once

#include <QPlainTextEdit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A multi-line text whose truth is a Windows-1252 byte string with CR LF line breaks: the
// student list and the instructions panel. Text the program puts in is shown decoded and
// comes back byte for byte, whatever bytes it holds; the user's edits change exactly the
// bytes of what was edited (Enter gives CR LF; wrapping on screen adds nothing). Characters
// Windows-1252 cannot hold are folded as they are typed or pasted (textcodec::fold), so the
// list always shows what text() gives.
class ListEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    // The lines of the text, as the program adds them.
    class Lines {
    public:
        explicit Lines(ListEdit& edit) : edit_(edit) {}
        // The text becomes empty.
        void clear();
        // After an empty text or one ending in CR LF: the line and CR LF; after a text
        // ending without a line break: CR LF and the line. The line's bytes go in unchanged.
        void add(std::string_view line);

    private:
        ListEdit& edit_;
    };

    explicit ListEdit(QWidget* parent = nullptr);

    Lines& lines() { return lines_; }

    // The whole text as bytes.
    std::string text() const;
    void setText(std::string_view bytes);

    // The background colour.
    QColor color() const;
    void setColor(const QColor& color);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // One unit for every character position of the document: a byte (a lone CR or LF shows
    // as a line break of its own), a CR LF pair (one line break), or nothing (the second half
    // of a character that was folded to one '?').
    using Unit = std::uint16_t;
    static constexpr Unit kCrLf = 0x100;
    static constexpr Unit kNothing = 0x101;

    static std::vector<Unit> unitsOf(std::string_view bytes);
    static QString shownOf(const std::vector<Unit>& units);
    static Unit unitOf(QChar shown);
    bool endsWithCrLf() const;
    void append(std::string_view bytes);
    QString documentText() const;
    void documentChanged(int from);

    Lines lines_{*this};
    std::vector<Unit> units_;
    QString shown_; // the document's characters that units_ stand for
    bool programEdit_ = false;
};
