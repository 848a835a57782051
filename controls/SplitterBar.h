#pragma once

#include <QPointer>
#include <QWidget>

// The bar between two aligned controls that the user drags to share the width between them:
// red, with a light and a dark line along its edges and the horizontal-resize cursor.
//
// Pressing the left mouse button on it starts a drag of the left-aligned control immediately
// to its left. While the button is held, an inverted checkered bar of the splitter's size
// follows the pointer and nothing is resized. On release that control gets the dragged width,
// limited to at least kMinSize and at most the container's client width less kMinSize and
// the widths of the other left and right aligned controls; kMinSize or less snaps to 0. The
// control's own minimum width then applies, and the alignment moves the splitter to its right
// edge. Escape cancels a drag and keeps every width.
class SplitterBar : public QWidget {
    Q_OBJECT

public:
    explicit SplitterBar(QWidget* parent = nullptr);
    ~SplitterBar() override;

    // The least width the drag gives either side; a smaller width snaps to 0.
    static constexpr int kMinSize = 30;

    // The width asked of the control for a drag to `dragged` pixels when at most `maxSize`
    // is allowed: at least kMinSize, at most maxSize, and kMinSize or less snapped to 0.
    static int requestedSize(int dragged, int maxSize);

    bool isDragging() const { return control_ != nullptr; }

    // The inverted bar that follows the pointer during a drag, or null.
    QWidget* dragBar() const { return dragBar_; }

signals:
    // Raised as every drag ends, a cancelled one included; before that also right after the
    // new width was applied, when it differs from the width the last drag asked for.
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* controlToLeft() const;
    // The control's width for the pointer at `x` in the splitter, before snapping.
    int limitedSize(int x) const;
    void stopDrag();

    QPointer<QWidget> control_; // the control being resized, during a drag
    QPointer<QWidget> dragBar_;
    int downX_ = 0;
    int startWidth_ = 0;
    int maxSize_ = 0;
    int lastRequested_ = -1;
};
