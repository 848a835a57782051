#include "controls/StringGrid.h"

#include "controls/Fonts.h"
#include "controls/SystemColors.h"
#include "controls/TextCodec.h"
#include "core/Cp1252.h"
#include "core/Marker.h"
#include "core/NaturalOrder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kPitch = StringGrid::kRowHeight + StringGrid::kLine;
constexpr int kAutoScrollMs = 60;
const QColor kGridLine(192, 192, 192);

// The cells of `a` that are not in `b`, as up to four rectangles.
std::vector<GridRect> subtract(const GridRect& a, const GridRect& b)
{
    if (a.isEmpty())
        return {};
    const GridRect i{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    if (i.isEmpty())
        return {a};
    std::vector<GridRect> pieces;
    const auto add = [&](const GridRect& r) {
        if (!r.isEmpty())
            pieces.push_back(r);
    };
    add({a.left, a.top, a.right, i.top - 1});
    add({a.left, i.bottom + 1, a.right, a.bottom});
    add({a.left, i.top, i.left - 1, i.bottom});
    add({i.right + 1, i.top, a.right, i.bottom});
    return pieces;
}

std::array<float, 256> advances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    std::array<float, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char32_t c = core::cp1252ToUnicode(static_cast<unsigned char>(b));
        table[static_cast<size_t>(b)] =
            static_cast<float>(metrics.horizontalAdvance(QChar(static_cast<char16_t>(c))));
    }
    return table;
}

} // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent), table_(5, 5)
{
    setFont(fonts::gridFont(false));
    titleFont_ = fonts::gridFont(true);
    widths_.assign(5, kDefaultColWidth);
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    viewport()->setCursor(Qt::PointingHandCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    widthsChanged();
}

StringGrid::~StringGrid() = default;

// ---- content -------------------------------------------------------------------------

void StringGrid::setColCount(int cols)
{
    cols = std::max(cols, 1);
    if (cols == colCount())
        return;
    table_.resize(cols, rowCount());
    countsChanged(true);
}

void StringGrid::setRowCount(int rows)
{
    rows = std::max(rows, 2); // the title row and at least one data row
    if (rows == rowCount())
        return;
    table_.resize(colCount(), rows);
    countsChanged(true);
}

void StringGrid::setCellEx(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return;
    table_.setCell(col, row, text);
    const QRect area = areaOf({col, row, col, row});
    if (!area.isEmpty())
        viewport()->update(area);
}

void StringGrid::setTable(core::CellTable table)
{
    const bool changed =
        table.colCount() != colCount() || std::max(table.rowCount(), 2) != rowCount();
    table_ = std::move(table);
    if (table_.colCount() < 1 || table_.rowCount() < 2)
        table_.resize(std::max(table_.colCount(), 1), std::max(table_.rowCount(), 2));
    sortColumn_ = -1;
    countsChanged(changed);
}

void StringGrid::countsChanged(bool reduceSelection)
{
    widths_.resize(static_cast<size_t>(colCount()), kDefaultColWidth);
    current_ = {std::clamp(current_.x(), 0, colCount() - 1),
                std::clamp(current_.y(), 1, rowCount() - 1)};
    if (reduceSelection)
        anchor_ = current_;
    else
        anchor_ = {std::clamp(anchor_.x(), 0, colCount() - 1),
                   std::clamp(anchor_.y(), 1, rowCount() - 1)};
    if (sortColumn_ >= colCount())
        sortColumn_ = -1;
    widthsChanged();
    syncAll();
}

// ---- column widths -------------------------------------------------------------------

void StringGrid::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on)
        fitColumns(0, 10);
}

void StringGrid::fitColumns(int minWidth, int extra)
{
    // Widths add up per byte from a table of the font's advances: no text is laid out.
    bodyAdvance_ = advances(font());
    titleAdvance_ = advances(titleFont_);
    for (int c = 0; c < colCount(); ++c) {
        float widest = 0;
        for (int r = 0; r < rowCount(); ++r) {
            const auto& advance = r == 0 ? titleAdvance_ : bodyAdvance_;
            float width = 0;
            for (char byte : table_.cell(c, r))
                width += advance[static_cast<unsigned char>(byte)];
            widest = std::max(widest, width);
        }
        const int text = static_cast<int>(std::ceil(widest)) + 2 * kCellMargin;
        widths_[static_cast<size_t>(c)] = std::max(text, minWidth) + extra;
    }
    widthsChanged();
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
    widthsChanged();
}

void StringGrid::widthsChanged()
{
    colStart_.assign(widths_.size() + 1, 0);
    for (size_t c = 0; c < widths_.size(); ++c)
        colStart_[c + 1] = colStart_[c] + widths_[c] + kLine;
    updateScrollBars();
    viewport()->update();
}

// ---- geometry ------------------------------------------------------------------------

int StringGrid::fullRowsInView() const
{
    return std::max(1, (viewport()->height() - kPitch) / kPitch);
}

int StringGrid::lastFullColumn() const
{
    const int right = horizontalScrollBar()->value() + viewport()->width();
    int last = -1;
    for (int c = 0; c < colCount(); ++c) {
        if (columnLeft(c) + colWidth(c) <= right)
            last = c;
        else
            break;
    }
    return std::max(last, 0);
}

void StringGrid::updateScrollBars()
{
    const int full = fullRowsInView();
    verticalScrollBar()->setRange(1, std::max(1, rowCount() - full));
    verticalScrollBar()->setPageStep(full);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, totalWidth() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
    topRow_ = verticalScrollBar()->value();
}

QRect StringGrid::cellRect(int col, int row) const
{
    const int x = (col >= 0 && col < colCount() ? columnLeft(col) : totalWidth()) -
                  horizontalScrollBar()->value();
    const int y = row == 0 ? 0 : kPitch * (row - topRow_ + 1);
    return {x, y, colWidth(col), kRowHeight};
}

int StringGrid::columnAtX(int x) const
{
    if (x < 0 || x >= totalWidth())
        return -1;
    const auto it = std::upper_bound(colStart_.begin(), colStart_.end(), x);
    return static_cast<int>(it - colStart_.begin()) - 1;
}

StringGrid::HitTest StringGrid::hitTest(const QPoint& pos) const
{
    HitTest hit;
    hit.col = columnAtX(pos.x() + horizontalScrollBar()->value());
    if (pos.y() < kPitch)
        hit.row = 0;
    else
        hit.row = topRow_ + (pos.y() - kPitch) / kPitch;
    if (hit.col < 0 || hit.row >= rowCount() || pos.y() < 0)
        hit.hit = Hit::Empty;
    else
        hit.hit = hit.row == 0 ? Hit::Title : Hit::Data;
    return hit;
}

GridRect StringGrid::cellsInView() const
{
    const int h = horizontalScrollBar()->value();
    const int first = columnAtX(h);
    int last = columnAtX(h + viewport()->width() - 1);
    if (last < 0)
        last = colCount() - 1;
    const int rowsShown = (viewport()->height() - kPitch + kPitch - 1) / kPitch;
    return {std::max(first, 0), topRow_, last,
            std::min(rowCount() - 1, topRow_ + std::max(rowsShown, 1) - 1)};
}

QRect StringGrid::areaOf(const GridRect& rect) const
{
    if (rect.isEmpty())
        return {};
    const GridRect view = cellsInView();
    QRect area;
    const int left = std::max(rect.left, view.left);
    const int right = std::min(rect.right, view.right);
    if (left > right)
        return {};
    const int x0 = cellRect(left, 0).left();
    const int x1 = cellRect(right, 0).right() + kLine;
    if (rect.top == 0)
        area |= QRect(QPoint(x0, 0), QPoint(x1, kPitch - 1));
    const int top = std::max(std::max(rect.top, 1), view.top);
    const int bottom = std::min(rect.bottom, view.bottom);
    if (top <= bottom)
        area |= QRect(QPoint(x0, cellRect(left, top).top()),
                      QPoint(x1, cellRect(left, bottom).bottom() + kLine));
    return area;
}

// ---- painting ------------------------------------------------------------------------

void StringGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QRect dirty = event->rect();
    p.fillRect(dirty, syscolors::btnFace());
    const GridRect sel = selection();
    const GridRect view = cellsInView();
    const bool focused = hasFocus();

    std::vector<int> rows{0};
    for (int r = view.top; r <= view.bottom; ++r)
        rows.push_back(r);
    for (int r : rows) {
        const QRect rowArea(0, cellRect(0, r).top(), viewport()->width(), kPitch);
        if (!rowArea.intersects(dirty))
            continue;
        for (int c = view.left; c <= view.right && c < colCount(); ++c) {
            const QRect rect = cellRect(c, r);
            if (!rect.adjusted(0, 0, kLine, kLine).intersects(dirty))
                continue;
            GridDrawState state;
            state.fixed = r == 0;
            state.selected = r > 0 && sel.contains(c, r);
            state.focused = focused && current_ == QPoint(c, r);

            p.setClipRect(rect.adjusted(0, 0, kLine, kLine));
            const QColor back = state.fixed      ? syscolors::btnFace()
                                : state.selected ? palette().color(QPalette::Highlight)
                                                 : syscolors::window();
            p.fillRect(rect, back);
            p.setPen(kGridLine);
            p.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
            p.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
            p.setFont(state.fixed ? titleFont_ : font());
            p.setPen(state.selected ? palette().color(QPalette::HighlightedText)
                                    : syscolors::windowText());
            p.drawText(rect.adjusted(kCellMargin, 0, -kCellMargin, 0),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       textcodec::decode(table_.cell(c, r)));
            if (state.fixed && c == sortColumn_) {
                // The sort direction: a small raised grey triangle at the title's right.
                const QRectF box(rect.right() - 13, rect.center().y() - 4.5, 10, 10);
                QPolygonF triangle;
                if (sortAscending_)
                    triangle << QPointF(box.center().x(), box.top()) << box.bottomRight()
                             << box.bottomLeft();
                else
                    triangle << box.topLeft() << box.topRight()
                             << QPointF(box.center().x(), box.bottom());
                p.setRenderHint(QPainter::Antialiasing);
                p.setBrush(QColor(160, 160, 160));
                p.setPen(QPen(syscolors::btnShadow().darker(130), 1));
                p.drawPolygon(triangle);
                p.setPen(QPen(syscolors::btnHighlight(), 1));
                p.drawLine(triangle[0], triangle[sortAscending_ ? 2 : 0]);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setBrush(Qt::NoBrush);
            }
            p.setClipping(false);

            emit drawCell(c, r, rect, state, &p);

            if (state.focused) {
                QPen dotted(syscolors::windowText(), 1, Qt::DotLine);
                p.setPen(dotted);
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect.adjusted(1, 1, -2, -2));
            }
        }
    }

    if (movingColumn_ && dropColumn_ >= 0) {
        // Where the dragged column will land.
        const int x = dropColumn_ > titlePressColumn_ ? cellRect(dropColumn_, 0).right() + 1
                                                      : cellRect(dropColumn_, 0).left();
        p.fillRect(QRect(x - 1, 0, 3, viewport()->height()), syscolors::red());
    }
}

// ---- selection -----------------------------------------------------------------------

GridRect StringGrid::selection() const
{
    return {std::min(current_.x(), anchor_.x()), std::min(current_.y(), anchor_.y()),
            std::max(current_.x(), anchor_.x()), std::max(current_.y(), anchor_.y())};
}

void StringGrid::select(QPoint current, QPoint anchor)
{
    const GridRect before = selection();
    const QPoint oldCurrent = current_;
    current_ = current;
    anchor_ = anchor;
    const GridRect after = selection();
    if (before == after && oldCurrent == current_)
        return;
    QRect area = areaOf(before) | areaOf(after);
    area |= areaOf({oldCurrent.x(), oldCurrent.y(), oldCurrent.x(), oldCurrent.y()});
    area |= areaOf({current_.x(), current_.y(), current_.x(), current_.y()});
    viewport()->update(area);
    syncChange(before, after);
}

void StringGrid::scrollTo(QPoint cell)
{
    const int full = fullRowsInView();
    if (cell.y() < topRow_)
        verticalScrollBar()->setValue(cell.y());
    else if (cell.y() > topRow_ + full - 1)
        verticalScrollBar()->setValue(cell.y() - full + 1);
    const int h = horizontalScrollBar()->value();
    const int left = columnLeft(cell.x());
    const int right = left + colWidth(cell.x());
    if (left < h)
        horizontalScrollBar()->setValue(left);
    else if (right > h + viewport()->width())
        horizontalScrollBar()->setValue(std::min(left, right - viewport()->width()));
}

// ---- marks out of view ---------------------------------------------------------------

void StringGrid::syncRect(const GridRect& rect, bool selected)
{
    const GridRect view = cellsInView();
    const int top = std::max(rect.top, 1);
    const int bottom = std::min(rect.bottom, rowCount() - 1);
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, colCount() - 1);
    for (int r = top; r <= bottom; ++r) {
        const bool rowInView = r >= view.top && r <= view.bottom;
        for (int c = left; c <= right; ++c) {
            if (rowInView && c >= view.left && c <= view.right)
                continue; // painting brings it in line
            const std::string_view text = table_.cell(c, r);
            if (core::isMarked(text) != selected)
                table_.setCell(c, r, core::alignedMark(text, selected, false));
        }
    }
}

void StringGrid::syncChange(const GridRect& before, const GridRect& after)
{
    if (!keepMarksInLine_)
        return;
    for (const GridRect& rect : subtract(before, after))
        syncRect(rect, false);
    for (const GridRect& rect : subtract(after, before))
        syncRect(rect, true);
}

void StringGrid::syncSelection()
{
    if (keepMarksInLine_)
        syncRect(selection(), true);
}

void StringGrid::syncAll()
{
    if (!keepMarksInLine_)
        return;
    const GridRect sel = selection();
    syncRect({0, 1, colCount() - 1, rowCount() - 1}, false); // leaves the selection's marks off
    syncRect(sel, true);
}

// ---- mouse ---------------------------------------------------------------------------

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const HitTest hit = hitTest(pos);
    if (event->button() == Qt::LeftButton) {
        if (hit.hit == Hit::Data) {
            const QPoint cell(hit.col, hit.row);
            if (event->modifiers() & Qt::ShiftModifier)
                select(current_, cell);
            else
                select(cell, cell);
            selecting_ = true;
            pointer_ = pos;
        } else if (hit.hit == Hit::Title) {
            titlePressColumn_ = hit.col;
            titlePressPos_ = pos;
        }
    }
    emit mouseDown(event->button(), event->modifiers(), pos);
    syncSelection();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click leaves the selection as it is.
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    syncSelection();
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (titlePressColumn_ >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (!movingColumn_ &&
            std::abs(pos.x() - titlePressPos_.x()) >= QApplication::startDragDistance())
            movingColumn_ = true;
        if (movingColumn_) {
            int col = columnAtX(pos.x() + horizontalScrollBar()->value());
            if (col < 0)
                col = pos.x() < 0 ? 0 : colCount() - 1;
            if (col != dropColumn_) {
                dropColumn_ = col;
                viewport()->update();
            }
        }
        return;
    }
    if (!selecting_)
        return;
    pointer_ = pos;
    const int lastFullRowBottom = kPitch * (1 + std::min(fullRowsInView(), rowCount() - topRow_));
    const int lastFullColRight = cellRect(lastFullColumn(), 0).right() + 1;
    const bool outside = pos.x() < 0 || pos.x() >= lastFullColRight || pos.y() < kPitch ||
                         pos.y() >= lastFullRowBottom;
    if (outside) {
        if (!scrollTimer_.isActive())
            scrollTimer_.start(kAutoScrollMs, this);
        return;
    }
    scrollTimer_.stop();
    const HitTest hit = hitTest(pos);
    if (hit.hit != Hit::Data)
        return;
    const QPoint cell(hit.col, hit.row);
    if (cell != anchor_)
        select(current_, cell);
    scrollTo(cell); // a partly visible cell comes fully into view
}

void StringGrid::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != scrollTimer_.timerId())
        return QAbstractScrollArea::timerEvent(event);
    if (!selecting_) {
        scrollTimer_.stop();
        return;
    }
    autoScrollStep();
}

void StringGrid::autoScrollStep()
{
    // One cell per tick towards the pointer, in each direction it lies outside the cells in
    // full view; along the other direction the anchor follows the pointer.
    const QPoint pos = pointer_;
    const int lastFullRowBottom = kPitch * (1 + std::min(fullRowsInView(), rowCount() - topRow_));
    const int lastFullColRight = cellRect(lastFullColumn(), 0).right() + 1;
    const HitTest hit = hitTest(pos);
    QPoint next = anchor_;
    if (pos.x() < 0)
        next.rx() -= 1;
    else if (pos.x() >= lastFullColRight)
        next.rx() += 1;
    else if (hit.col >= 0)
        next.setX(hit.col);
    if (pos.y() < kPitch)
        next.ry() -= 1;
    else if (pos.y() >= lastFullRowBottom)
        next.ry() += 1;
    else if (hit.row >= 1 && hit.row < rowCount())
        next.setY(hit.row);
    next = {std::clamp(next.x(), 0, colCount() - 1), std::clamp(next.y(), 1, rowCount() - 1)};
    if (next != anchor_)
        select(current_, next);
    scrollTo(next);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    scrollTimer_.stop();
    selecting_ = false;
    if (event->button() != Qt::LeftButton || titlePressColumn_ < 0)
        return;
    const int from = titlePressColumn_;
    const bool moved = movingColumn_;
    const int to = dropColumn_;
    titlePressColumn_ = -1;
    movingColumn_ = false;
    dropColumn_ = -1;
    if (moved) {
        viewport()->update();
        if (to >= 0 && to != from)
            moveColumn(from, to);
        return;
    }
    const HitTest hit = hitTest(event->position().toPoint());
    if (hit.hit == Hit::Title)
        sortBy(hit.col);
}

void StringGrid::sortBy(int col)
{
    if (rowCount() - 1 < 2)
        return;
    const bool ascending = col == sortColumn_ ? !sortAscending_ : true;
    std::vector<int> order(static_cast<size_t>(rowCount() - 1));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int cmp = core::naturalCompare(table_.cell(col, a), table_.cell(col, b));
        return ascending ? cmp < 0 : cmp > 0;
    });
    table_.permuteRows(1, order);
    sortColumn_ = col;
    sortAscending_ = ascending;
    anchor_ = current_;
    syncAll();
    viewport()->update();
}

void StringGrid::moveColumn(int from, int to)
{
    table_.moveColumn(from, to);
    auto first = widths_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    if (sortColumn_ == from)
        sortColumn_ = to;
    else if (sortColumn_ >= std::min(from, to) && sortColumn_ <= std::max(from, to))
        sortColumn_ += from < to ? -1 : 1;
    anchor_ = current_;
    widthsChanged();
    syncAll();
}

// ---- keyboard and focus --------------------------------------------------------------

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QPoint cell = extend ? anchor_ : current_;
    const int page = fullRowsInView();
    switch (event->key()) {
    case Qt::Key_Left:
        cell.rx() -= 1;
        break;
    case Qt::Key_Right:
        cell.rx() += 1;
        break;
    case Qt::Key_Up:
        cell.ry() -= 1;
        break;
    case Qt::Key_Down:
        cell.ry() += 1;
        break;
    case Qt::Key_PageUp:
        cell.ry() -= page;
        break;
    case Qt::Key_PageDown:
        cell.ry() += page;
        break;
    case Qt::Key_Home:
        cell = ctrl ? QPoint(0, 1) : QPoint(0, cell.y());
        break;
    case Qt::Key_End:
        cell = ctrl ? QPoint(colCount() - 1, rowCount() - 1) : QPoint(colCount() - 1, cell.y());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    cell = {std::clamp(cell.x(), 0, colCount() - 1), std::clamp(cell.y(), 1, rowCount() - 1)};
    if (extend)
        select(current_, cell);
    else
        select(cell, cell);
    scrollTo(cell);
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(areaOf({current_.x(), current_.y(), current_.x(), current_.y()}));
}

void StringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(areaOf({current_.x(), current_.y(), current_.x(), current_.y()}));
}

// ---- scrolling -----------------------------------------------------------------------

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StringGrid::scrollContentsBy(int, int)
{
    topRow_ = verticalScrollBar()->value();
    viewport()->update();
}
