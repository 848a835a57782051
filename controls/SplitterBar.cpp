#include "controls/SplitterBar.h"

#include "controls/AlignLayout.h"
#include "controls/SystemColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The checkered bar that follows the pointer: it inverts every other pixel of whatever lies
// beneath it, so it shows on any background and vanishes without a trace.
class DragBar : public QWidget {
public:
    explicit DragBar(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("splitterDragBar"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setBrushOrigin(0, 0);
        p.fillRect(rect(), QBrush(Qt::white, Qt::Dense4Pattern));
    }
};

} // namespace

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
    resize(10, height());
}

SplitterBar::~SplitterBar()
{
    if (control_)
        qApp->removeEventFilter(this);
    delete dragBar_;
}

int SplitterBar::requestedSize(int dragged, int maxSize)
{
    int size = dragged;
    if (size < kMinSize)
        size = kMinSize;
    else if (size > maxSize)
        size = maxSize;
    if (size <= kMinSize)
        size = 0;
    return size;
}

void SplitterBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), syscolors::red());
    p.setPen(syscolors::btnHighlight());
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(syscolors::btnShadow());
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

QWidget* SplitterBar::controlToLeft() const
{
    const AlignLayout* layout = AlignLayout::of(this);
    if (!layout)
        return nullptr;
    for (QObject* object : parentWidget()->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (!w || w == this || w->isHidden() || layout->alignmentOf(w) != AlignLayout::Align::Left)
            continue;
        if (w->x() + w->width() == x() && w->y() < y() + height() && y() < w->y() + w->height())
            return w;
    }
    return nullptr;
}

int SplitterBar::limitedSize(int x) const
{
    const int dragged = startWidth_ + (x - downX_);
    if (dragged < kMinSize)
        return kMinSize;
    return std::min(dragged, maxSize_);
}

void SplitterBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (isDragging())
        stopDrag(); // the release of an earlier drag never came: start afresh
    QWidget* control = controlToLeft();
    if (!control)
        return;
    control_ = control;
    downX_ = event->position().toPoint().x();
    startWidth_ = control->width();

    // The control may grow until the other side has kMinSize left of the client width.
    const AlignLayout* layout = AlignLayout::of(this);
    maxSize_ = layout->clientRect().width() - kMinSize;
    for (QObject* object : parentWidget()->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (!w || w->isHidden())
            continue;
        const AlignLayout::Align align = layout->alignmentOf(w);
        if (align == AlignLayout::Align::Left || align == AlignLayout::Align::Right)
            maxSize_ -= w->width();
    }
    maxSize_ += control->width();

    dragBar_ = new DragBar(parentWidget());
    dragBar_->setGeometry(geometry());
    dragBar_->raise();
    dragBar_->show();
    qApp->installEventFilter(this); // Escape reaches whichever control has the focus
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!isDragging())
        return;
    const int size = limitedSize(event->position().toPoint().x());
    dragBar_->move(control_->x() + size, y());
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isDragging())
        return;
    const int requested = requestedSize(limitedSize(event->position().toPoint().x()), maxSize_);
    QPointer<QWidget> control = control_;
    stopDrag();
    if (!control)
        return;
    AlignLayout::setWidth(control, requested);
    if (requested != lastRequested_) {
        lastRequested_ = requested;
        emit moved();
    }
    emit moved();
}

bool SplitterBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isDragging() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        stopDrag();
        emit moved();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplitterBar::stopDrag()
{
    qApp->removeEventFilter(this);
    control_ = nullptr;
    delete dragBar_;
}
