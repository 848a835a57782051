#include "controls/StringGrid.h"

#include "controls/Fonts.h"
#include "controls/TextCodec.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr int kDefaultColWidth = 64;
constexpr int kCellMargin = 2; // text inset from the cell's left edge
} // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent), table_(5, 5)
{
    setFont(fonts::gridFont(false));
    titleFont_ = fonts::gridFont(true);
    widths_.assign(5, kDefaultColWidth);
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    updateScrollBars();
}

StringGrid::~StringGrid() = default;

void StringGrid::setColCount(int cols)
{
    cols = std::max(cols, 1);
    table_.resize(cols, table_.rowCount());
    widths_.resize(static_cast<size_t>(cols), kDefaultColWidth);
    countsChanged();
}

void StringGrid::setRowCount(int rows)
{
    rows = std::max(rows, 2);
    table_.resize(table_.colCount(), rows);
    countsChanged();
}

void StringGrid::setCellEx(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return;
    table_.setCell(col, row, text);
    updateCells({col, row, col, row});
}

void StringGrid::setTable(core::CellTable table)
{
    table_ = std::move(table);
    widths_.resize(static_cast<size_t>(table_.colCount()), kDefaultColWidth);
    countsChanged();
}

void StringGrid::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on)
        fitColumns(0, 10);
}

void StringGrid::fitColumns(int minWidth, int extra)
{
    const QFontMetrics body(font());
    const QFontMetrics title(titleFont_);
    for (int c = 0; c < colCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < rowCount(); ++r) {
            const QFontMetrics& fm = r == 0 ? title : body;
            widest = std::max(widest, fm.horizontalAdvance(textcodec::decode(getCellEx(c, r))));
        }
        widths_[static_cast<size_t>(c)] = std::max(widest + 2 * kCellMargin, minWidth) + extra;
    }
    updateScrollBars();
    viewport()->update();
}

int StringGrid::colWidth(int col) const
{
    return col >= 0 && col < colCount() ? widths_[static_cast<size_t>(col)] : 0;
}

void StringGrid::setColWidth(int col, int width)
{
    if (col < 0 || col >= colCount())
        return;
    widths_[static_cast<size_t>(col)] = std::max(width, 0);
    updateScrollBars();
    viewport()->update();
}

GridRect StringGrid::selection() const
{
    return {std::min(current_.x(), anchor_.x()), std::min(current_.y(), anchor_.y()),
            std::max(current_.x(), anchor_.x()), std::max(current_.y(), anchor_.y())};
}

int StringGrid::columnLeft(int col) const
{
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += widths_[static_cast<size_t>(c)] + 1;
    return x - horizontalScrollBar()->value();
}

QRect StringGrid::cellRect(int col, int row) const
{
    const int x = columnLeft(col);
    int y = 0;
    if (row > 0)
        y = (kRowHeight + 1) * (row - verticalScrollBar()->value());
    return {x, y, colWidth(col), kRowHeight};
}

QPoint StringGrid::cellAt(const QPoint& pos) const
{
    int row = -1;
    if (pos.y() >= 0 && pos.y() < kRowHeight + 1)
        row = 0;
    else if (pos.y() >= 0)
        row = pos.y() / (kRowHeight + 1) + verticalScrollBar()->value();
    if (row >= rowCount())
        row = -1;
    int col = -1;
    int x = -horizontalScrollBar()->value();
    for (int c = 0; c < colCount(); ++c) {
        if (pos.x() >= x && pos.x() < x + colWidth(c) + 1) {
            col = c;
            break;
        }
        x += colWidth(c) + 1;
    }
    return {col, row};
}

void StringGrid::countsChanged()
{
    current_.setX(std::clamp(current_.x(), 0, colCount() - 1));
    current_.setY(std::clamp(current_.y(), 1, std::max(rowCount() - 1, 1)));
    anchor_ = current_;
    updateScrollBars();
    viewport()->update();
}

void StringGrid::updateScrollBars()
{
    int total = 0;
    for (int w : widths_)
        total += w + 1;
    horizontalScrollBar()->setRange(0, std::max(0, total - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    const int visibleRows = std::max(1, viewport()->height() / (kRowHeight + 1) - 1);
    verticalScrollBar()->setRange(1, std::max(1, rowCount() - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
}

void StringGrid::updateCells(const GridRect& rect)
{
    QRect area;
    for (int r = rect.top; r <= rect.bottom; ++r)
        for (int c = rect.left; c <= rect.right; ++c)
            area |= cellRect(c, r).adjusted(0, 0, 1, 1);
    viewport()->update(area);
}

void StringGrid::setSelectionCorners(QPoint current, QPoint anchor)
{
    const GridRect before = selection();
    const QPoint oldCurrent = current_;
    current_ = current;
    anchor_ = anchor;
    updateCells(before);
    updateCells(selection());
    updateCells({oldCurrent.x(), oldCurrent.y(), oldCurrent.x(), oldCurrent.y()});
}

void StringGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    const GridRect sel = selection();
    const int firstRow = verticalScrollBar()->value();
    const int visibleRows = viewport()->height() / (kRowHeight + 1) + 1;
    std::vector<int> rows{0};
    for (int r = firstRow; r < rowCount() && r <= firstRow + visibleRows; ++r)
        rows.push_back(r);
    for (int r : rows) {
        for (int c = 0; c < colCount(); ++c) {
            const QRect rect = cellRect(c, r);
            if (!rect.adjusted(0, 0, 1, 1).intersects(event->rect()))
                continue;
            GridDrawState state;
            state.fixed = r == 0;
            state.selected = r > 0 && sel.contains(c, r);
            state.focused = hasFocus() && current_ == QPoint(c, r);
            const QColor back = state.fixed      ? palette().color(QPalette::Button)
                                : state.selected ? palette().color(QPalette::Highlight)
                                                 : palette().color(QPalette::Base);
            p.fillRect(rect, back);
            p.setPen(QColor(128, 128, 128));
            p.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
            p.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
            p.setFont(state.fixed ? titleFont_ : font());
            p.setPen(palette().color(state.selected ? QPalette::HighlightedText : QPalette::Text));
            p.drawText(rect.adjusted(kCellMargin, 0, -kCellMargin, 0),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       textcodec::decode(getCellEx(c, r)));
            emit drawCell(c, r, rect, state, &p);
            if (state.focused) {
                p.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect.adjusted(1, 1, -2, -2));
            }
        }
    }
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.x() >= 0 && cell.y() >= 1) {
        if (event->modifiers() & Qt::ShiftModifier)
            setSelectionCorners(current_, cell);
        else
            setSelectionCorners(cell, cell);
        selecting_ = true;
    }
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting_)
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() >= 0 && cell.y() >= 1 && cell != anchor_)
        setSelectionCorners(current_, cell);
}

void StringGrid::mouseReleaseEvent(QMouseEvent*)
{
    selecting_ = false;
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StringGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}
