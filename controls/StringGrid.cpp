#include "controls/StringGrid.h"

#include "controls/Fonts.h"
#include "controls/SystemColors.h"
#include "controls/TextCodec.h"
#include "core/Cp1252.h"
#include "core/Marker.h"
#include "core/NaturalOrder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {
constexpr int kDefaultColWidth = 64;
constexpr int kCellMargin = 2; // text inset from the cell's left edge
constexpr int kLine = 1;       // grid line width
constexpr int kPitch = StringGrid::kRowHeight + kLine;
constexpr int kTriangle = 10; // the sort direction triangle, 10 by 10

QColor lineColor()
{
    return {192, 192, 192};
}
QColor highlight()
{
    return {0, 120, 215};
}

// The advance of every byte when drawn in the font, read through Windows-1252.
std::array<int, 256> advances(const QFont& font)
{
    const QFontMetrics fm(font);
    std::array<int, 256> result{};
    for (int b = 0; b < 256; ++b)
        result[static_cast<size_t>(b)] = fm.horizontalAdvance(
            QChar(static_cast<char16_t>(core::cp1252ToUnicode(static_cast<unsigned char>(b)))));
    return result;
}

int textWidth(const std::array<int, 256>& adv, std::string_view text)
{
    int w = 0;
    for (unsigned char b : text)
        w += adv[b];
    return w;
}
} // namespace

StringGrid::StringGrid(QWidget* parent) : QAbstractScrollArea(parent), table_(5, 5)
{
    setFont(fonts::gridFont(false));
    titleFont_ = fonts::gridFont(true);
    widths_.assign(5, kDefaultColWidth);
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    scrollTimer_.setInterval(kScrollInterval);
    connect(&scrollTimer_, &QTimer::timeout, this, &StringGrid::autoScrollStep);
    widthsChanged();
}

StringGrid::~StringGrid() = default;

// ---- content --------------------------------------------------------------------------------

void StringGrid::setColCount(int cols)
{
    cols = std::max(cols, 1);
    const bool changed = cols != colCount();
    table_.resize(cols, table_.rowCount());
    widths_.resize(static_cast<size_t>(cols), kDefaultColWidth);
    if (sortCol_ >= cols)
        sortCol_ = -1;
    widthsChanged();
    countsChanged(changed);
}

void StringGrid::setRowCount(int rows)
{
    rows = std::max(rows, 2);
    const bool changed = rows != rowCount();
    table_.resize(table_.colCount(), rows);
    countsChanged(changed);
}

void StringGrid::setCellEx(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return;
    table_.setCell(col, row, text);
    if (col >= shownView_.left && col <= shownView_.right &&
        (row == 0 || (row >= shownView_.top && row <= shownView_.bottom)))
        updateCells({col, row, col, row});
}

void StringGrid::setTable(core::CellTable table)
{
    const bool changed = table.colCount() != colCount() || table.rowCount() != rowCount();
    table_ = std::move(table);
    if (table_.colCount() < 1 || table_.rowCount() < 2)
        table_.resize(std::max(table_.colCount(), 1), std::max(table_.rowCount(), 2));
    widths_.resize(static_cast<size_t>(table_.colCount()), kDefaultColWidth);
    sortCol_ = -1;
    widthsChanged();
    countsChanged(changed);
    alignAllOutOfView();
}

void StringGrid::setAutoSize(bool on)
{
    autoSize_ = on;
    if (on)
        fitColumns(0, 10);
}

void StringGrid::fitColumns(int minWidth, int extra)
{
    const std::array<int, 256> body = advances(font());
    const std::array<int, 256> title = advances(titleFont_);
    const int cols = colCount();
    const int rows = rowCount();
    std::vector<int> widest(static_cast<size_t>(cols), 0);
    for (int c = 0; c < cols; ++c)
        widest[static_cast<size_t>(c)] = textWidth(title, table_.cell(c, 0));
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int& w = widest[static_cast<size_t>(c)];
            w = std::max(w, textWidth(body, table_.cell(c, r)));
        }
    for (int c = 0; c < cols; ++c)
        widths_[static_cast<size_t>(c)] =
            std::max(widest[static_cast<size_t>(c)] + 2 * kCellMargin, minWidth) + extra;
    widthsChanged();
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
    widthsChanged();
    viewport()->update();
}

bool StringGrid::rankDistinctTexts(int col, std::vector<int>& rank) const
{
    // A column with few distinct texts (a group, first names) compares each distinct text
    // only a few times: the texts are put in order once, and each row gets its text's place
    // (texts that compare equal share one). Columns of mostly different texts are sorted
    // directly.
    const int rows = rowCount();
    const size_t limit = static_cast<size_t>(rows) / 16 + 16;
    std::unordered_map<std::string_view, int> distinct;
    for (int r = 1; r < rows; ++r) {
        const auto it =
            distinct.try_emplace(table_.cell(col, r), static_cast<int>(distinct.size())).first;
        if (distinct.size() > limit)
            return false;
        rank[static_cast<size_t>(r)] = it->second;
    }
    std::vector<std::string_view> keys(distinct.size());
    for (const auto& [text, id] : distinct)
        keys[static_cast<size_t>(id)] = text;
    std::vector<int> byText(keys.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(), [&](int a, int b) {
        return core::naturalLess(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
    });
    std::vector<int> place(keys.size(), 0);
    for (size_t k = 0; k < byText.size(); ++k) {
        const bool same = k > 0 && core::naturalCompare(keys[static_cast<size_t>(byText[k - 1])],
                                                        keys[static_cast<size_t>(byText[k])]) == 0;
        place[static_cast<size_t>(byText[k])] =
            same ? place[static_cast<size_t>(byText[k - 1])] : static_cast<int>(k);
    }
    for (int r = 1; r < rows; ++r)
        rank[static_cast<size_t>(r)] = place[static_cast<size_t>(rank[static_cast<size_t>(r)])];
    return true;
}

void StringGrid::sortByColumn(int col)
{
    if (col < 0 || col >= colCount() || rowCount() < 3)
        return;
    sortAscending_ = sortCol_ == col ? !sortAscending_ : true;
    sortCol_ = col;
    const int rows = rowCount();
    const bool ascending = sortAscending_;
    std::vector<int> order(static_cast<size_t>(rows - 1));
    std::iota(order.begin(), order.end(), 1);
    std::vector<int> rank(static_cast<size_t>(rows), 0);
    if (rankDistinctTexts(col, rank)) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int ra = rank[static_cast<size_t>(a)];
            const int rb = rank[static_cast<size_t>(b)];
            return ascending ? ra < rb : ra > rb;
        });
    } else {
        std::vector<std::string_view> keys(static_cast<size_t>(rows));
        for (int r = 1; r < rows; ++r)
            keys[static_cast<size_t>(r)] = table_.cell(col, r);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int cmp =
                core::naturalCompare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
            return ascending ? cmp < 0 : cmp > 0;
        });
    }
    table_.permuteRows(1, order);
    setSelectionCorners(current_, current_);
    viewport()->update();
    alignAllOutOfView();
}

void StringGrid::moveColumn(int from, int to)
{
    if (from < 0 || to < 0 || from >= colCount() || to >= colCount() || from == to)
        return;
    table_.moveColumn(from, to);
    const int width = widths_[static_cast<size_t>(from)];
    widths_.erase(widths_.begin() + from);
    widths_.insert(widths_.begin() + to, width);
    if (sortCol_ == from)
        sortCol_ = to;
    else if (sortCol_ >= 0 && from < to && sortCol_ > from && sortCol_ <= to)
        --sortCol_;
    else if (sortCol_ >= 0 && to < from && sortCol_ >= to && sortCol_ < from)
        ++sortCol_;
    widthsChanged();
    setSelectionCorners(current_, current_);
    viewport()->update();
    alignAllOutOfView();
}

// ---- geometry -------------------------------------------------------------------------------

GridRect StringGrid::selection() const
{
    return {std::min(current_.x(), anchor_.x()), std::min(current_.y(), anchor_.y()),
            std::max(current_.x(), anchor_.x()), std::max(current_.y(), anchor_.y())};
}

int StringGrid::columnLeft(int col) const
{
    return lefts_[static_cast<size_t>(std::clamp(col, 0, colCount()))] -
           horizontalScrollBar()->value();
}

int StringGrid::topRow() const
{
    return std::max(1, verticalScrollBar()->value());
}

void StringGrid::setTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

int StringGrid::fullRows() const
{
    return std::max(1, (viewport()->height() - kPitch) / kPitch);
}

QRect StringGrid::cellRect(int col, int row) const
{
    const int y = row == 0 ? 0 : kPitch * (1 + row - topRow());
    return {columnLeft(col), y, colWidth(col), kRowHeight};
}

GridRect StringGrid::dataView() const
{
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    GridRect view{0, topRow(), -1, topRow() - 1};
    if (vh > kPitch)
        view.bottom = std::min(rowCount() - 1, topRow() + (vh - kPitch - 1) / kPitch);
    const int hval = horizontalScrollBar()->value();
    int c = 0;
    while (c < colCount() && lefts_[static_cast<size_t>(c) + 1] - kLine <= hval)
        ++c;
    view.left = c;
    while (c < colCount() && lefts_[static_cast<size_t>(c)] < hval + vw)
        ++c;
    view.right = c - 1;
    return view;
}

bool StringGrid::isInView(int col, int row) const
{
    const GridRect view = dataView();
    if (col < view.left || col > view.right)
        return false;
    return row == 0 || (row >= view.top && row <= view.bottom);
}

int StringGrid::columnAtX(int x) const
{
    const int abs = x + horizontalScrollBar()->value();
    if (abs < 0)
        return -1;
    const auto it = std::upper_bound(lefts_.begin(), lefts_.end(), abs);
    const int col = static_cast<int>(it - lefts_.begin()) - 1;
    return col < colCount() ? col : -1;
}

QPoint StringGrid::cellAt(const QPoint& pos) const
{
    int row = -1;
    if (pos.y() >= 0 && pos.y() < kPitch)
        row = 0;
    else if (pos.y() >= kPitch)
        row = (pos.y() - kPitch) / kPitch + topRow();
    if (row >= rowCount())
        row = -1;
    return {pos.x() >= 0 ? columnAtX(pos.x()) : -1, row};
}

void StringGrid::scrollToCell(int col, int row)
{
    if (row >= 1) {
        if (row < topRow())
            setTopRow(row);
        else if (row >= topRow() + fullRows())
            setTopRow(row - fullRows() + 1);
    }
    if (col >= 0 && col < colCount()) {
        const int x0 = lefts_[static_cast<size_t>(col)];
        const int x1 = x0 + colWidth(col) + kLine;
        QScrollBar* h = horizontalScrollBar();
        const int vw = viewport()->width();
        if (x0 < h->value())
            h->setValue(x0);
        else if (x1 > h->value() + vw)
            h->setValue(std::min(x0, x1 - vw));
    }
}

void StringGrid::widthsChanged()
{
    lefts_.assign(widths_.size() + 1, 0);
    for (size_t c = 0; c < widths_.size(); ++c)
        lefts_[c + 1] = lefts_[c] + widths_[c] + kLine;
    updateScrollBars();
}

void StringGrid::countsChanged(bool changed)
{
    if (changed) {
        const QPoint cell(std::clamp(current_.x(), 0, colCount() - 1),
                          std::clamp(current_.y(), 1, std::max(rowCount() - 1, 1)));
        setSelectionCorners(cell, cell);
    } else {
        setSelectionCorners({std::clamp(current_.x(), 0, colCount() - 1),
                             std::clamp(current_.y(), 1, rowCount() - 1)},
                            {std::clamp(anchor_.x(), 0, colCount() - 1),
                             std::clamp(anchor_.y(), 1, rowCount() - 1)});
    }
    updateScrollBars();
    viewport()->update();
}

void StringGrid::updateScrollBars()
{
    const int total = lefts_.empty() ? 0 : lefts_.back();
    horizontalScrollBar()->setRange(0, std::max(0, total - viewport()->width()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(1, std::max(1, rowCount() - fullRows()));
    verticalScrollBar()->setPageStep(fullRows());
    verticalScrollBar()->setSingleStep(1);
    viewChanged();
}

void StringGrid::updateCells(const GridRect& rect)
{
    const GridRect view = dataView();
    const int left = std::max(rect.left, view.left);
    const int right = std::min(rect.right, view.right);
    if (left > right)
        return;
    QRect area;
    if (rect.top == 0)
        area |= QRect(columnLeft(left), 0, columnLeft(right + 1) - columnLeft(left), kPitch);
    const int top = std::max({rect.top, view.top, 1});
    const int bottom = std::min(rect.bottom, view.bottom);
    if (top <= bottom) {
        const QRect a = cellRect(left, top);
        const QRect b = cellRect(right, bottom);
        area |= QRect(a.topLeft(), QPoint(b.right() + kLine, b.bottom() + kLine));
    }
    if (!area.isEmpty())
        viewport()->update(area);
}

// ---- selection and marks out of view ----------------------------------------------------------

void StringGrid::forEachCellOf(const GridRect& a, const GridRect& minus,
                               const std::function<void(int, int)>& fn)
{
    for (int r = a.top; r <= a.bottom; ++r) {
        if (r < minus.top || r > minus.bottom || minus.left > minus.right) {
            for (int c = a.left; c <= a.right; ++c)
                fn(c, r);
            continue;
        }
        for (int c = a.left; c <= std::min(a.right, minus.left - 1); ++c)
            fn(c, r);
        for (int c = std::max(a.left, minus.right + 1); c <= a.right; ++c)
            fn(c, r);
    }
}

void StringGrid::alignOutOfView(const GridRect& rect)
{
    if (!keepMarksInLine_)
        return;
    const GridRect sel = selection();
    const GridRect view = dataView();
    const GridRect clipped{std::max(rect.left, 0), std::max(rect.top, 1),
                           std::min(rect.right, colCount() - 1),
                           std::min(rect.bottom, rowCount() - 1)};
    forEachCellOf(clipped, view, [&](int c, int r) {
        const std::string_view text = table_.cell(c, r);
        const bool selected = sel.contains(c, r);
        if (selected != core::isMarked(text))
            table_.setCell(c, r, core::alignedMark(text, selected, false));
    });
}

void StringGrid::alignAllOutOfView()
{
    alignOutOfView({0, 1, colCount() - 1, rowCount() - 1});
}

void StringGrid::setKeepMarksInLine(bool on)
{
    keepMarksInLine_ = on;
    alignAllOutOfView();
}

void StringGrid::viewChanged()
{
    // Cells that leave the view before a pending paint reached them are brought in line here.
    const GridRect before = shownView_;
    shownView_ = dataView();
    if (!keepMarksInLine_ || before.left > before.right || before.top > before.bottom)
        return;
    const GridRect sel = selection();
    const GridRect clipped{before.left, std::max(before.top, 1),
                           std::min(before.right, colCount() - 1),
                           std::min(before.bottom, rowCount() - 1)};
    forEachCellOf(clipped, shownView_, [&](int c, int r) {
        const std::string_view text = table_.cell(c, r);
        const bool selected = sel.contains(c, r);
        if (selected != core::isMarked(text))
            table_.setCell(c, r, core::alignedMark(text, selected, false));
    });
}

void StringGrid::setSelectionCorners(QPoint current, QPoint anchor)
{
    const GridRect before = selection();
    const QPoint oldCurrent = current_;
    current_ = current;
    anchor_ = anchor;
    const GridRect after = selection();
    if (before == after && oldCurrent == current_)
        return;
    updateCells(before);
    updateCells(after);
    updateCells({oldCurrent.x(), oldCurrent.y(), oldCurrent.x(), oldCurrent.y()});
    if (keepMarksInLine_) {
        // Only the cells whose selected state changed.
        const GridRect view = dataView();
        auto align = [&](int c, int r) {
            if (r < 1 || c < 0 || r >= rowCount() || c >= colCount() || view.contains(c, r))
                return;
            const std::string_view text = table_.cell(c, r);
            const bool selected = after.contains(c, r);
            if (selected != core::isMarked(text))
                table_.setCell(c, r, core::alignedMark(text, selected, false));
        };
        forEachCellOf(before, after, align);
        forEachCellOf(after, before, align);
    }
}

// ---- painting -------------------------------------------------------------------------------

void StringGrid::drawSortTriangle(QPainter& p, const QRect& cell) const
{
    const int x = cell.right() - kTriangle - 3;
    const int y = cell.top() + (cell.height() - kTriangle) / 2;
    QPolygon tri;
    if (sortAscending_)
        tri << QPoint(x + kTriangle / 2, y) << QPoint(x + kTriangle - 1, y + kTriangle - 1)
            << QPoint(x, y + kTriangle - 1);
    else
        tri << QPoint(x, y) << QPoint(x + kTriangle - 1, y)
            << QPoint(x + kTriangle / 2, y + kTriangle - 1);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 192));
    p.drawPolygon(tri);
    // Raised: light edges towards the top left, dark towards the bottom right.
    const QColor light = syscolors::btnHighlight();
    const QColor dark(128, 128, 128);
    if (sortAscending_) {
        p.setPen(light);
        p.drawLine(tri[0], tri[2]);
        p.setPen(dark);
        p.drawLine(tri[0], tri[1]);
        p.drawLine(tri[1], tri[2]);
    } else {
        p.setPen(light);
        p.drawLine(tri[0], tri[1]);
        p.drawLine(tri[0], tri[2]);
        p.setPen(dark);
        p.drawLine(tri[1], tri[2]);
    }
    p.restore();
}

void StringGrid::drawCellItself(QPainter& p, int col, int row, const QRect& rect,
                                const GridDrawState& state) const
{
    const QColor back = state.fixed      ? syscolors::btnFace()
                        : state.selected ? highlight()
                                         : syscolors::window();
    p.fillRect(rect, back);
    p.setPen(lineColor());
    p.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
    p.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
    QRect textRect = rect.adjusted(kCellMargin, 0, -kCellMargin, 0);
    const bool sorted = state.fixed && col == sortCol_;
    if (sorted)
        textRect.setRight(textRect.right() - kTriangle - 4);
    p.setFont(state.fixed ? titleFont_ : font());
    p.setPen(state.selected ? QColor(Qt::white) : syscolors::windowText());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               textcodec::decode(table_.cell(col, row)));
    if (sorted)
        drawSortTriangle(p, rect);
}

void StringGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    p.fillRect(event->rect(), syscolors::window());
    const GridRect sel = selection();
    const GridRect view = dataView();
    std::vector<int> rows{0};
    for (int r = view.top; r <= view.bottom; ++r)
        rows.push_back(r);
    for (int r : rows) {
        for (int c = view.left; c <= view.right; ++c) {
            const QRect rect = cellRect(c, r);
            if (!rect.adjusted(0, 0, kLine, kLine).intersects(event->rect()))
                continue;
            GridDrawState state;
            state.fixed = r == 0;
            state.selected = r > 0 && sel.contains(c, r);
            state.focused = hasFocus() && current_ == QPoint(c, r);
            drawCellItself(p, c, r, rect, state);
            emit drawCell(c, r, rect, state, &p);
            if (state.focused) {
                p.setPen(QPen(syscolors::windowText(), 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect.adjusted(1, 1, -2, -2));
            }
        }
    }
    if (titlePressCol_ >= 0 && dropCol_ >= 0 && dropCol_ != titlePressCol_) {
        // Where the dragged column will land.
        const int x =
            dropCol_ > titlePressCol_ ? columnLeft(dropCol_ + 1) - kLine : columnLeft(dropCol_);
        p.fillRect(QRect(x - 1, 0, 3, viewport()->height()), QColor(0, 0, 0));
    }
}

// ---- mouse ----------------------------------------------------------------------------------

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QPoint cell = cellAt(pos);
    lastPointer_ = pos;
    if (event->button() == Qt::LeftButton && cell.x() >= 0 && cell.y() == 0) {
        titlePressCol_ = cell.x();
        dropCol_ = cell.x();
    } else if (event->button() == Qt::LeftButton && cell.x() >= 0 && cell.y() >= 1) {
        if (event->modifiers() & Qt::ShiftModifier)
            setSelectionCorners(current_, cell);
        else
            setSelectionCorners(cell, cell);
        scrollToCell(cell.x(), cell.y());
        selecting_ = true;
    }
    emit mouseDown(event->button(), event->modifiers(), pos);
    alignOutOfView(selection());
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click leaves the selection as it is.
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    alignOutOfView(selection());
}

QPoint StringGrid::dataAreaEnd() const
{
    // Right of the last wholly visible column (or the table's end), below the last wholly
    // visible row (or the table's last row).
    const GridRect view = shownView_;
    int right = columnLeft(colCount()) - kLine;
    for (int c = std::max(view.left, 0); c <= view.right; ++c)
        if (columnLeft(c + 1) - kLine > viewport()->width()) {
            right = columnLeft(c) - kLine;
            if (right <= 0) // one column wider than the view
                right = viewport()->width();
            break;
        }
    const int bottom = kPitch * (1 + std::min(fullRows(), rowCount() - topRow()));
    return {right, bottom};
}

void StringGrid::dragTo(const QPoint& pos)
{
    const QPoint end = dataAreaEnd();
    if (pos.x() < 0 || pos.x() >= end.x() || pos.y() < kPitch || pos.y() >= end.y()) {
        if (!scrollTimer_.isActive())
            scrollTimer_.start();
        return;
    }
    scrollTimer_.stop();
    const QPoint cell = cellAt(pos);
    if (cell.x() < 0 || cell.y() < 1)
        return;
    if (cell != anchor_)
        setSelectionCorners(current_, cell);
    scrollToCell(cell.x(), cell.y());
}

void StringGrid::autoScrollStep()
{
    if (!selecting_) {
        scrollTimer_.stop();
        return;
    }
    const QPoint pos = lastPointer_;
    const QPoint under = cellAt(pos);
    const QPoint end = dataAreaEnd();
    QPoint a = anchor_;
    if (pos.x() < 0)
        a.rx() -= 1;
    else if (pos.x() >= end.x())
        a.rx() += 1;
    else if (under.x() >= 0)
        a.setX(under.x());
    if (pos.y() < kPitch)
        a.ry() -= 1;
    else if (pos.y() >= end.y())
        a.ry() += 1;
    else if (under.y() >= 1)
        a.setY(under.y());
    a.setX(std::clamp(a.x(), 0, colCount() - 1));
    a.setY(std::clamp(a.y(), 1, rowCount() - 1));
    if (a != anchor_)
        setSelectionCorners(current_, a);
    scrollToCell(a.x(), a.y());
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    lastPointer_ = pos;
    if (titlePressCol_ >= 0) {
        int col = pos.x() < 0 ? 0 : columnAtX(pos.x());
        if (col < 0)
            col = colCount() - 1;
        if (col != dropCol_) {
            dropCol_ = col;
            viewport()->update();
        }
        return;
    }
    if (selecting_)
        dragTo(pos);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    selecting_ = false;
    scrollTimer_.stop();
    if (titlePressCol_ < 0 || event->button() != Qt::LeftButton)
        return;
    const int from = titlePressCol_;
    const int to = dropCol_;
    titlePressCol_ = -1;
    dropCol_ = -1;
    viewport()->update();
    const QPoint cell = cellAt(event->position().toPoint());
    if (to >= 0 && to != from)
        moveColumn(from, to);
    else if (cell.y() == 0 && cell.x() == from)
        sortByColumn(cell.x());
}

// ---- keyboard and focus ---------------------------------------------------------------------

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QPoint p = extend ? anchor_ : current_;
    switch (event->key()) {
    case Qt::Key_Left:
        p.rx() -= 1;
        break;
    case Qt::Key_Right:
        p.rx() += 1;
        break;
    case Qt::Key_Up:
        p.ry() -= 1;
        break;
    case Qt::Key_Down:
        p.ry() += 1;
        break;
    case Qt::Key_PageUp:
        p.ry() -= fullRows();
        break;
    case Qt::Key_PageDown:
        p.ry() += fullRows();
        break;
    case Qt::Key_Home:
        p.setX(0);
        if (ctrl)
            p.setY(1);
        break;
    case Qt::Key_End:
        p.setX(colCount() - 1);
        if (ctrl)
            p.setY(rowCount() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    p.setX(std::clamp(p.x(), 0, colCount() - 1));
    p.setY(std::clamp(p.y(), 1, rowCount() - 1));
    if (extend)
        setSelectionCorners(current_, p);
    else
        setSelectionCorners(p, p);
    scrollToCell(p.x(), p.y());
    event->accept();
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    updateCells({current_.x(), current_.y(), current_.x(), current_.y()});
}

void StringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    updateCells({current_.x(), current_.y(), current_.x(), current_.y()});
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StringGrid::scrollContentsBy(int, int)
{
    viewChanged();
    viewport()->update();
}
