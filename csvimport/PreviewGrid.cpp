#include "csvimport/PreviewGrid.h"

#include "controls/TextCodec.h"
#include "csvimport/SplitRuler.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr int kOrigin = 4;     // where character 0 starts
constexpr int kCellMargin = 3; // text inset of a separated cell
constexpr int kMaxColumnWidth = 2000;

// The text to draw for cell bytes: control bytes are shown as a middle dot, so every byte
// takes exactly one character's width.
QString shown(std::string_view bytes)
{
    QString text = textcodec::decode(bytes);
    for (QChar& ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            ch = QChar(0x00b7);
    return text;
}
} // namespace

PreviewGrid::PreviewGrid(QWidget* parent)
    : QAbstractScrollArea(parent), ruler_(new SplitRuler(this))
{
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(13);
    setFont(mono);
    const QFontMetrics fm(mono);
    charWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    rowHeight_ = fm.height() + 4;
    ruler_->setObjectName(QStringLiteral("ruler"));
    ruler_->setMetrics(kOrigin, charWidth_);
    ruler_->setEnabled(false);
    setViewportMargins(0, ruler_->sizeHint().height(), 0, 0);
    viewport()->setBackgroundRole(QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layoutRuler();
}

QSize PreviewGrid::sizeHint() const
{
    return {620, ruler_->sizeHint().height() + 10 * rowHeight_ + 24};
}

int PreviewGrid::columnLeft(int c) const
{
    c = std::clamp(c, 0, static_cast<int>(lefts_.size()) - 1);
    return lefts_[static_cast<size_t>(c)];
}

void PreviewGrid::showSeparated(core::CellTable table)
{
    table_ = std::move(table);
    fixed_ = false;
    const QFontMetrics fm(font());
    lefts_.assign(1, 0);
    for (int c = 0; c < table_.colCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < table_.rowCount(); ++r)
            widest = std::max(widest, fm.horizontalAdvance(shown(table_.cell(c, r))));
        const int width = std::min(std::max(widest + 2 * kCellMargin, 10), kMaxColumnWidth);
        lefts_.push_back(lefts_.back() + width + 1);
    }
    updateScrollBars();
    viewport()->update();
}

void PreviewGrid::showFixed(core::CellTable table, int chars)
{
    table_ = std::move(table);
    fixed_ = true;
    lefts_.assign(1, kOrigin);
    for (int split : ruler_->splits())
        lefts_.push_back(kOrigin + split * charWidth_);
    lefts_.push_back(kOrigin +
                     std::max(chars, lefts_.size() > 1 ? ruler_->splits().back() : 0) * charWidth_);
    ruler_->setLength(chars);
    updateScrollBars();
    viewport()->update();
}

void PreviewGrid::updateScrollBars()
{
    const int total = lefts_.back() + kOrigin;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, total - viewport()->width()));
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(charWidth_);
    verticalScrollBar()->setRange(
        0, std::max(0, table_.rowCount() - viewport()->height() / rowHeight_));
    ruler_->setOffset(bar->value());
}

void PreviewGrid::layoutRuler()
{
    const QRect area = viewport()->geometry();
    ruler_->setGeometry(area.left(), area.top() - ruler_->sizeHint().height(), area.width(),
                        ruler_->sizeHint().height());
}

void PreviewGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutRuler();
    updateScrollBars();
}

void PreviewGrid::scrollContentsBy(int, int)
{
    ruler_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void PreviewGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QPalette& pal = palette();
    const bool enabled = isEnabled();
    p.fillRect(event->rect(), pal.color(QPalette::Base));
    p.setFont(font());
    const int dx = -horizontalScrollBar()->value();
    const int firstRow = verticalScrollBar()->value();
    const QColor lines = fixed_ ? QColor(200, 0, 0) : QColor(192, 192, 192);
    const int width = viewport()->width();
    const int height = viewport()->height();
    for (int c = 0; c < table_.colCount(); ++c) {
        const int left = columnLeft(c) + dx;
        const int right = columnLeft(c + 1) + dx;
        if (right < 0 || left > width)
            continue;
        p.setPen(pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        for (int r = firstRow; r < table_.rowCount(); ++r) {
            const int y = (r - firstRow) * rowHeight_;
            if (y > height)
                break;
            const QRect cell = fixed_ ? QRect(left, y, right - left, rowHeight_)
                                      : QRect(left + kCellMargin, y,
                                              right - left - 1 - 2 * kCellMargin, rowHeight_);
            p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       shown(table_.cell(c, r)));
        }
    }
    // Column borders; in fixed-width mode these are the splits, drawn through the preview.
    p.setPen(lines);
    const int columnsEnd = fixed_ ? table_.colCount() - 1 : table_.colCount();
    for (int c = 1; c <= columnsEnd; ++c) {
        const int x = columnLeft(c) + dx - (fixed_ ? 0 : 1);
        if (x >= 0 && x <= width)
            p.drawLine(x, 0, x, height);
    }
    if (!fixed_) {
        p.setPen(QColor(224, 224, 224));
        for (int r = 1; r <= table_.rowCount() - firstRow; ++r)
            p.drawLine(0, r * rowHeight_ - 1, std::min(width, columnLeft(table_.colCount()) + dx),
                       r * rowHeight_ - 1);
    }
}
