#pragma once

#include "core/CellTable.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <array>
#include <string_view>
#include <vector>

class QPainter;

// What the grid tells about a cell it paints.
struct GridDrawState {
    bool selected = false; // the cell lies inside the selection (never a title cell)
    bool focused = false;  // the grid has the keyboard focus and this is the current cell
    bool fixed = false;    // a title cell
};

// A rectangle of cells, all bounds inclusive; empty when left > right or top > bottom.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    bool isEmpty() const { return left > right || top > bottom; }
    bool contains(int col, int row) const
    {
        return col >= left && col <= right && row >= top && row <= bottom;
    }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The source grid: a table of byte-string cells with one fixed title row, rectangular range
// selection by dragging, sorting by a title click and moving columns by dragging a title.
// Cells are addressed (column, row) from 0; row 0 is the title row, rows 1 and up hold data.
// Only the cells in view are painted, so the grid stays smooth on tables of a million rows.
class StringGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    int colCount() const { return table_.colCount(); }
    void setColCount(int cols);
    int rowCount() const { return table_.rowCount(); }
    void setRowCount(int rows);

    // The stored text, unchanged; empty outside the table.
    std::string_view getCellEx(int col, int row) const { return table_.cell(col, row); }
    // Stores the text and schedules a repaint of that one cell; column widths stay.
    void setCellEx(int col, int row, std::string_view text);

    // Replaces the whole content at once (an import). Counts change as by setColCount and
    // setRowCount; when neither changes the selection stays. Every cell in view is repainted.
    void setTable(core::CellTable table);
    const core::CellTable& table() const { return table_; }

    // Switching it on fits every column to its widest text plus the cell margin plus 10.
    void setAutoSize(bool on);
    bool autoSize() const { return autoSize_; }
    // Fits every column to its widest text (title row in the title font) plus the cell
    // margins; a result below minWidth is raised to it; then `extra` pixels are added.
    void fitColumns(int minWidth, int extra);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int rowHeight() const { return kRowHeight; }

    // (column, row) of the current cell and of the anchor; the selection spans both.
    QPoint currentCell() const { return current_; }
    QPoint anchorCell() const { return anchor_; }
    GridRect selection() const;

    // Keeps the marks of the cells out of view in line with the selection, as painting keeps
    // those in view: after every change of the selection, every reported press, a sort, a
    // column move and a new table, every data cell carries the marker exactly when it lies
    // inside the selection.
    void setKeepMarksInLine(bool on) { keepMarksInLine_ = on; }

    // The area a cell occupies in the viewport, as passed with drawCell.
    QRect cellRect(int col, int row) const;
    // The first data row in view.
    int topRow() const { return topRow_; }
    // The column the rows are sorted by, or -1; and whether ascending.
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }

    static constexpr int kRowHeight = 22;
    static constexpr int kLine = 1;       // grid line width
    static constexpr int kCellMargin = 2; // text inset on each side

signals:
    // Raised for every cell painted, after the cell itself was drawn and before the focus
    // rectangle. Writing cells from here only schedules their repaint.
    void drawCell(int col, int row, const QRect& rect, GridDrawState state, QPainter* canvas);
    // Raised for every mouse press the grid reports, after it has updated the selection.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;

private:
    enum class Hit { Data, Title, Empty };
    struct HitTest {
        Hit hit = Hit::Empty;
        int col = -1;
        int row = -1;
    };

    HitTest hitTest(const QPoint& pos) const;
    int columnAtX(int x) const; // -1 past the last column
    int columnLeft(int col) const { return colStart_[static_cast<size_t>(col)]; }
    int totalWidth() const { return colStart_.back(); }
    int fullRowsInView() const;
    int lastFullColumn() const;
    QRect areaOf(const GridRect& rect) const;
    GridRect cellsInView() const;

    void widthsChanged();
    void countsChanged(bool reduceSelection);
    void updateScrollBars();
    void select(QPoint current, QPoint anchor);
    void scrollTo(QPoint cell);
    void sortBy(int col);
    void moveColumn(int from, int to);
    void autoScrollStep();

    void syncRect(const GridRect& rect, bool selected);
    void syncChange(const GridRect& before, const GridRect& after);
    void syncSelection();
    void syncAll();

    core::CellTable table_;
    std::vector<int> widths_;
    std::vector<int> colStart_{0}; // left of every column, and the total width at the end
    QPoint current_{0, 1};
    QPoint anchor_{0, 1};
    int topRow_ = 1;
    bool selecting_ = false;
    bool autoSize_ = false;
    bool keepMarksInLine_ = false;
    int sortColumn_ = -1;
    bool sortAscending_ = true;

    // A press in the title row: a click sorts, a drag moves the column.
    int titlePressColumn_ = -1;
    QPoint titlePressPos_;
    bool movingColumn_ = false;
    int dropColumn_ = -1;

    QBasicTimer scrollTimer_;
    QPoint pointer_;

    QFont titleFont_;
    std::array<float, 256> bodyAdvance_{};
    std::array<float, 256> titleAdvance_{};
};
