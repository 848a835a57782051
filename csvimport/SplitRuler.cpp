#include "csvimport/SplitRuler.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kRulerHeight = 24;
constexpr int kMarkReach = 4;     // pixels either side of a mark that grab it
constexpr int kDragOffReach = 16; // pixels above or below the ruler that remove a mark
} // namespace

SplitRuler::SplitRuler(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SplitHCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(QStringLiteral("Klik om een scheiding te zetten, sleep om te verplaatsen, "
                              "dubbelklik of sleep van de liniaal om te verwijderen"));
}

QSize SplitRuler::sizeHint() const
{
    return {200, kRulerHeight};
}

void SplitRuler::setMetrics(int origin, int charWidth)
{
    origin_ = origin;
    charWidth_ = std::max(charWidth, 1);
    update();
}

void SplitRuler::setLength(int chars)
{
    length_ = std::max(chars, 0);
    cursor_ = std::clamp(cursor_, 1, std::max(length_ - 1, 1));
    update();
}

void SplitRuler::setOffset(int pixels)
{
    offset_ = pixels;
    update();
}

void SplitRuler::setSplits(std::vector<int> splits)
{
    std::sort(splits.begin(), splits.end());
    splits.erase(std::unique(splits.begin(), splits.end()), splits.end());
    splits_ = std::move(splits);
    update();
    emit splitsChanged();
}

int SplitRuler::positionAt(int x) const
{
    const int n = (x - origin_ + offset_ + charWidth_ / 2) / charWidth_;
    return std::clamp(n, 0, length_);
}

int SplitRuler::markAt(int x) const
{
    int best = -1;
    int bestDistance = kMarkReach + 1;
    for (int split : splits_) {
        const int distance = std::abs(xOf(split) - x);
        if (distance < bestDistance) {
            best = split;
            bestDistance = distance;
        }
    }
    return best;
}

void SplitRuler::addSplit(int n)
{
    if (!validPosition(n) || std::binary_search(splits_.begin(), splits_.end(), n))
        return;
    splits_.insert(std::lower_bound(splits_.begin(), splits_.end(), n), n);
    update();
    emit splitsChanged();
}

void SplitRuler::removeSplit(int n)
{
    auto it = std::lower_bound(splits_.begin(), splits_.end(), n);
    if (it == splits_.end() || *it != n)
        return;
    splits_.erase(it);
    update();
    emit splitsChanged();
}

bool SplitRuler::moveSplit(int from, int to)
{
    if (from == to || !validPosition(to) || std::binary_search(splits_.begin(), splits_.end(), to))
        return false;
    auto it = std::lower_bound(splits_.begin(), splits_.end(), from);
    if (it == splits_.end() || *it != from)
        return false;
    splits_.erase(it);
    splits_.insert(std::lower_bound(splits_.begin(), splits_.end(), to), to);
    update();
    emit splitsChanged();
    return true;
}

void SplitRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    const QColor ink =
        pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    p.setPen(ink);
    p.drawLine(0, height() - 1, width(), height() - 1);
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    const int first = std::max(0, positionAt(0) - 1);
    const int last = std::min(length_, positionAt(width()) + 1);
    for (int n = first; n <= last; ++n) {
        const int x = xOf(n);
        const int tick = n % 10 == 0 ? 9 : n % 5 == 0 ? 6 : 3;
        p.drawLine(x, height() - 1 - tick, x, height() - 1);
        if (n % 10 == 0 && n > 0)
            p.drawText(QRect(x - 20, 0, 40, 11), Qt::AlignCenter, QString::number(n));
    }
    if (!isEnabled())
        return;
    if (hasFocus()) {
        const int x = xOf(cursor_);
        p.fillRect(QRect(x - 3, height() - 3, 7, 2), pal.color(QPalette::Highlight));
    }
    p.setRenderHint(QPainter::Antialiasing);
    for (int split : splits_) {
        if (split == dragged_ && draggedOff_)
            continue;
        const int x = xOf(split);
        p.setPen(Qt::NoPen);
        p.setBrush(split == dragged_ ? pal.color(QPalette::Highlight) : ink);
        const QPointF mark[3] = {
            {x - 4.0, height() - 10.0}, {x + 4.0, height() - 10.0}, {double(x), height() - 2.0}};
        p.drawPolygon(mark, 3);
    }
}

void SplitRuler::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x();
    const int mark = markAt(x);
    if (mark >= 0) {
        dragged_ = mark;
        draggedOff_ = false;
        cursor_ = mark;
        update();
        return;
    }
    const int n = positionAt(x);
    if (validPosition(n)) {
        cursor_ = n;
        addSplit(n);
    }
}

void SplitRuler::mouseMoveEvent(QMouseEvent* event)
{
    if (dragged_ < 0)
        return;
    const QPoint pos = event->position().toPoint();
    const bool off = pos.y() < -kDragOffReach || pos.y() > height() + kDragOffReach;
    if (off != draggedOff_) {
        draggedOff_ = off;
        update();
    }
    if (off)
        return;
    const int n = std::clamp(positionAt(pos.x()), 1, std::max(length_ - 1, 1));
    if (moveSplit(dragged_, n)) {
        dragged_ = n;
        cursor_ = n;
    }
}

void SplitRuler::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || dragged_ < 0)
        return;
    const int dragged = dragged_;
    const bool off = draggedOff_;
    dragged_ = -1;
    draggedOff_ = false;
    if (off)
        removeSplit(dragged);
    update();
}

void SplitRuler::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int mark = markAt(event->position().toPoint().x());
    dragged_ = -1;
    if (mark >= 0)
        removeSplit(mark);
}

void SplitRuler::keyPressEvent(QKeyEvent* event)
{
    const int last = std::max(length_ - 1, 1);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int target = cursor_;
    switch (event->key()) {
    case Qt::Key_Left:
        target = std::max(1, cursor_ - 1);
        break;
    case Qt::Key_Right:
        target = std::min(last, cursor_ + 1);
        break;
    case Qt::Key_Home:
        target = 1;
        break;
    case Qt::Key_End:
        target = last;
        break;
    case Qt::Key_Space:
    case Qt::Key_Insert:
        if (std::binary_search(splits_.begin(), splits_.end(), cursor_))
            removeSplit(cursor_);
        else
            addSplit(cursor_);
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        removeSplit(cursor_);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (ctrl && std::binary_search(splits_.begin(), splits_.end(), cursor_) &&
        !moveSplit(cursor_, target))
        return;
    cursor_ = target;
    update();
}
