#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QScrollBar;
class QWidget;

// Places the children of a container by their alignment, as a form does: first the controls
// aligned to the top and the bottom, then those aligned left and right, then the one that
// fills the rest. Controls of the same alignment keep the order in which they were added.
// A top or bottom control keeps its height, a left or right one its width; all respect their
// minimum sizes, so a control that cannot shrink further is cut off at the container's edge.
// Controls without an alignment keep the place the program gives them.
class AlignLayout : public QObject {
    Q_OBJECT

public:
    enum class Align { None, Top, Bottom, Left, Right, Client };

    // inset: the border width of the container (a panel's bevel) that aligned controls keep
    // free on each side.
    AlignLayout(QWidget* container, int inset);

    // Reads the "align" property ("alTop", "alBottom", "alLeft", "alRight", "alClient") of
    // every direct child in creation order and aligns them inside `container`.
    static AlignLayout* fromProperties(QWidget* container, int inset);

    // The layout that aligns `child`, if any.
    static AlignLayout* of(const QWidget* child);

    void add(QWidget* child, Align align);

    // The area that the controls are aligned in; by default the container's rectangle.
    // A scrolling container may set a larger one; with automatic scrolling the layout sets it
    // itself on every realignment.
    void setArea(const QRect& area);
    QRect area() const;

    // Lets the container scroll its aligned controls, as a form that scrolls automatically:
    // when the container is narrower or lower than neededSize(), scroll bars appear at its
    // right and bottom edges, the controls are aligned in an area of the needed size and the
    // scroll bars shift that area. Positions stay relative to the container's top-left corner.
    void setAutoScroll(bool on);
    bool autoScroll() const { return autoScroll_; }
    QScrollBar* horizontalScrollBar() const { return hbar_; }
    QScrollBar* verticalScrollBar() const { return vbar_; }

    // The part of the container that shows its controls: all of it but the scroll bars.
    QRect clientRect() const;

    // The least size the aligned controls need side by side: the widths of the left and right
    // controls plus the minimum width of the filling one, the heights of the top and bottom
    // controls plus the largest minimum height in between; with the inset on each side.
    QSize neededSize() const;

    // The alignment `child` was added with; None for a control this layout does not align.
    Align alignmentOf(const QWidget* child) const;

    // Puts every aligned control in its place now.
    void realign();

    // Sets the width of a control and realigns its container at once.
    static void setWidth(QWidget* control, int width);
    static void setLeft(QWidget* control, int left);

    QWidget* container() const { return container_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the scroll bars the needed size calls for and sets the area they shift.
    void updateScrollBars();

    struct Item {
        QPointer<QWidget> widget;
        Align align;
    };
    QWidget* container_;
    int inset_;
    QRect area_;
    std::vector<Item> items_;
    bool realigning_ = false;
    bool autoScroll_ = false;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
};
