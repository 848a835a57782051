#pragma once

#include "core/CellTable.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QTimer>
#include <array>
#include <functional>
#include <string_view>
#include <vector>

class QPainter;

// What the grid tells about a cell it paints.
struct GridDrawState {
    bool selected = false; // the cell lies inside the selection (never a title cell)
    bool focused = false;  // the grid has the keyboard focus and this is the current cell
    bool fixed = false;    // a title cell
};

// A rectangle of cells, all bounds inclusive.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int col, int row) const
    {
        return col >= left && col <= right && row >= top && row <= bottom;
    }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The source grid: a table of byte-string cells with one fixed title row, rectangular range
// selection, sorting by a title click and moving columns by dragging a title. Cells are
// addressed (column, row) from 0; row 0 is the title row.
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
    // setRowCount; every cell in view is repainted.
    void setTable(core::CellTable table);
    const core::CellTable& table() const { return table_; }

    // Switching it on fits every column to its widest text plus the cell margin plus 10.
    void setAutoSize(bool on);
    bool autoSize() const { return autoSize_; }
    // Fits every column to its widest text (title row in the title font) plus the cell
    // margin; a result below minWidth is raised to it; then `extra` pixels are added.
    void fitColumns(int minWidth, int extra);
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int rowHeight() const { return kRowHeight; }

    // (column, row) of the current cell, and the selection between it and the anchor.
    QPoint currentCell() const { return current_; }
    QPoint anchorCell() const { return anchor_; }
    GridRect selection() const;

    // The area a cell occupies in the viewport, as passed with drawCell.
    QRect cellRect(int col, int row) const;
    // True when some part of the cell lies in the viewport (title cells: their column does).
    bool isInView(int col, int row) const;
    // The data cells wholly or partly in the viewport.
    GridRect dataView() const;
    // The first data row shown below the title row.
    int topRow() const;
    void setTopRow(int row);
    // Scrolls as little as possible so that the cell is wholly in view.
    void scrollToCell(int col, int row);

    // Sorts the data rows by the column's texts (natural order, case ignored, stable); the
    // next sort by the same column reverses the direction. Needs two data rows or more.
    void sortByColumn(int col);
    // The column that was sorted last and its direction; -1 when none.
    int sortColumn() const { return sortCol_; }
    bool sortAscending() const { return sortAscending_; }
    // Moves column `from`, every row's text with it, to place `to`.
    void moveColumn(int from, int to);

    // When on, the grid keeps the marks of the data cells out of view in line with the
    // selection: after every change of the selection, every reported press (once the
    // mouseDown handlers ran), a sort, a column move and setTable, and when cells leave the
    // view. Cells in view are left to the drawCell handler. Off by default.
    void setKeepMarksInLine(bool on);
    bool keepMarksInLine() const { return keepMarksInLine_; }

    static constexpr int kRowHeight = 22;
    static constexpr int kScrollInterval = 60; // ms between automatic steps while dragging

signals:
    // Raised for every cell painted, after the cell itself was drawn and before the focus
    // rectangle. Writing cells from here only schedules their repaint.
    void drawCell(int col, int row, const QRect& rect, GridDrawState state, QPainter* canvas);
    // Raised for every mouse press the grid reports, after it has updated the selection.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int columnLeft(int col) const;
    int columnAtX(int x) const;
    int fullRows() const;
    QPoint cellAt(const QPoint& viewportPos) const;
    void countsChanged(bool changed);
    void widthsChanged();
    void updateScrollBars();
    void setSelectionCorners(QPoint current, QPoint anchor);
    void updateCells(const GridRect& rect);
    QPoint dataAreaEnd() const;
    bool rankDistinctTexts(int col, std::vector<int>& rank) const;
    void dragTo(const QPoint& pos);
    void autoScrollStep();
    void drawSortTriangle(QPainter& p, const QRect& cell) const;
    void drawCellItself(QPainter& p, int col, int row, const QRect& rect,
                        const GridDrawState& state) const;

    // Marks of data cells out of view: brought in line with the selection.
    void alignOutOfView(const GridRect& rect);
    void alignAllOutOfView();
    void viewChanged();
    static void forEachCellOf(const GridRect& a, const GridRect& minus,
                              const std::function<void(int, int)>& fn);

    core::CellTable table_;
    std::vector<int> widths_;
    std::vector<int> lefts_; // x of each column's left edge in the whole table, and the end
    QPoint current_{0, 1};
    QPoint anchor_{0, 1};
    bool selecting_ = false;
    bool autoSize_ = false;
    bool keepMarksInLine_ = false;
    int titlePressCol_ = -1; // the title pressed, while a column drag may run
    int dropCol_ = -1;
    int sortCol_ = -1;
    bool sortAscending_ = true;
    QPoint lastPointer_;
    QTimer scrollTimer_;
    GridRect shownView_{0, 1, -1, 0}; // the data cells in view when last looked
    QFont titleFont_;
};
