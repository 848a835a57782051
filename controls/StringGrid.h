#pragma once

#include "core/CellTable.h"

#include <QAbstractScrollArea>
#include <QFont>
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

    static constexpr int kRowHeight = 22;

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
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int columnLeft(int col) const;
    QPoint cellAt(const QPoint& viewportPos) const;
    void countsChanged();
    void updateScrollBars();
    void setSelectionCorners(QPoint current, QPoint anchor);
    void updateCells(const GridRect& rect);

    core::CellTable table_;
    std::vector<int> widths_;
    QPoint current_{0, 1};
    QPoint anchor_{0, 1};
    bool selecting_ = false;
    bool autoSize_ = false;
    QFont titleFont_;
};
