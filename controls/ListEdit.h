#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

// A multi-line text whose truth is a Windows-1252 byte string with CR LF line breaks: the
// student list and the instructions panel.
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
        // ending without a line break: CR LF and the line.
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

private:
    Lines lines_{*this};
    std::string bytes_;
};
