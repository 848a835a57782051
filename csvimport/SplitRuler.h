#pragma once

#include <QWidget>
#include <vector>

// The character ruler above the import preview, on which the user places the split
// positions of fixed-width mode. A split at n falls after the n-th character of a line.
// Mouse: a click adds a split, dragging a mark moves it, a double click on a mark or dragging
// it off the ruler removes it. Keyboard: Left/Right/Home/End move the ruler's cursor,
// Space or Insert toggles a split at the cursor, Delete removes it, Ctrl+Left/Right move the
// split at the cursor.
class SplitRuler : public QWidget {
    Q_OBJECT

public:
    explicit SplitRuler(QWidget* parent = nullptr);

    // Where character position 0 lies in the ruler's coordinates before scrolling, and the
    // width of one character.
    void setMetrics(int origin, int charWidth);
    // The ruler covers positions 0 to `chars`; splits lie strictly between.
    void setLength(int chars);
    int length() const { return length_; }
    // The horizontal scroll offset shared with the preview.
    void setOffset(int pixels);

    const std::vector<int>& splits() const { return splits_; }
    void setSplits(std::vector<int> splits);
    int cursorPosition() const { return cursor_; }

    // The x coordinate of position n in the ruler (and in the preview's viewport).
    int xOf(int n) const { return origin_ + n * charWidth_ - offset_; }

    QSize sizeHint() const override;

signals:
    // After every change of the split positions.
    void splitsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int positionAt(int x) const;
    int markAt(int x) const;
    bool validPosition(int n) const { return n >= 1 && n < length_; }
    void addSplit(int n);
    void removeSplit(int n);
    bool moveSplit(int from, int to);

    std::vector<int> splits_; // ascending
    int length_ = 0;
    int origin_ = 0;
    int charWidth_ = 8;
    int offset_ = 0;
    int cursor_ = 1;
    int dragged_ = -1;        // the position of the mark being dragged, or -1
    bool draggedOff_ = false; // the dragged mark is outside the ruler: released, it goes
};
