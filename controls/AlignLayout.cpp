#include "controls/AlignLayout.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {
const char* const kLayoutProperty = "_pluvana_alignLayout";
}

AlignLayout::AlignLayout(QWidget* container, int inset)
    : QObject(container), container_(container), inset_(inset)
{
    container->installEventFilter(this);
    container->setProperty(kLayoutProperty, QVariant::fromValue<QObject*>(this));
}

AlignLayout* AlignLayout::fromProperties(QWidget* container, int inset)
{
    auto* layout = new AlignLayout(container, inset);
    for (QObject* object : container->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child)
            continue;
        const QString name = child->property("align").toString();
        Align align = Align::None;
        if (name == QLatin1String("alTop"))
            align = Align::Top;
        else if (name == QLatin1String("alBottom"))
            align = Align::Bottom;
        else if (name == QLatin1String("alLeft"))
            align = Align::Left;
        else if (name == QLatin1String("alRight"))
            align = Align::Right;
        else if (name == QLatin1String("alClient"))
            align = Align::Client;
        if (align != Align::None)
            layout->add(child, align);
    }
    layout->realign();
    return layout;
}

AlignLayout* AlignLayout::of(const QWidget* child)
{
    if (!child || !child->parentWidget())
        return nullptr;
    return qobject_cast<AlignLayout*>(
        child->parentWidget()->property(kLayoutProperty).value<QObject*>());
}

void AlignLayout::add(QWidget* child, Align align)
{
    items_.push_back({child, align});
    child->installEventFilter(this);
}

void AlignLayout::setArea(const QRect& area)
{
    area_ = area;
    realign();
}

QRect AlignLayout::area() const
{
    return area_.isValid() ? area_ : container_->rect();
}

void AlignLayout::setAutoScroll(bool on)
{
    autoScroll_ = on;
    if (on && !hbar_) {
        hbar_ = new QScrollBar(Qt::Horizontal, container_);
        vbar_ = new QScrollBar(Qt::Vertical, container_);
        for (QScrollBar* bar : {hbar_, vbar_}) {
            bar->setObjectName(bar == hbar_ ? QStringLiteral("horizontalScrollBar")
                                            : QStringLiteral("verticalScrollBar"));
            bar->hide();
            connect(bar, &QScrollBar::valueChanged, this, &AlignLayout::realign);
        }
    }
    if (!on) {
        area_ = QRect();
        if (hbar_) {
            hbar_->hide();
            vbar_->hide();
        }
    }
    realign();
}

QRect AlignLayout::clientRect() const
{
    QRect client = container_->rect();
    if (hbar_ && !hbar_->isHidden())
        client.setBottom(client.bottom() - hbar_->height());
    if (vbar_ && !vbar_->isHidden())
        client.setRight(client.right() - vbar_->width());
    return client;
}

QSize AlignLayout::neededSize() const
{
    int stackWidth = 0;  // the widest minimum of the top and bottom controls
    int stackHeight = 0; // their heights together
    int rowWidth = 0;    // the left and right controls and the filling one side by side
    int rowHeight = 0;   // their largest minimum height
    for (const Item& item : items_) {
        const QWidget* w = item.widget;
        if (!w || w->isHidden())
            continue;
        switch (item.align) {
        case Align::Top:
        case Align::Bottom:
            stackHeight += std::max(w->height(), w->minimumHeight());
            stackWidth = std::max(stackWidth, w->minimumWidth());
            break;
        case Align::Left:
        case Align::Right:
            rowWidth += std::max(w->width(), w->minimumWidth());
            rowHeight = std::max(rowHeight, w->minimumHeight());
            break;
        case Align::Client:
            rowWidth += w->minimumWidth();
            rowHeight = std::max(rowHeight, w->minimumHeight());
            break;
        case Align::None:
            break;
        }
    }
    return {std::max(stackWidth, rowWidth) + 2 * inset_, stackHeight + rowHeight + 2 * inset_};
}

AlignLayout::Align AlignLayout::alignmentOf(const QWidget* child) const
{
    for (const Item& item : items_) {
        if (item.widget == child)
            return item.align;
    }
    return Align::None;
}

void AlignLayout::updateScrollBars()
{
    const QSize needed = neededSize();
    const QSize full = container_->size();
    const int extent = container_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hbar_);
    // Each scroll bar takes room from the other direction, so one may call for the other.
    bool horizontal = false;
    bool vertical = false;
    for (int pass = 0; pass < 3; ++pass) {
        horizontal = needed.width() > full.width() - (vertical ? extent : 0);
        vertical = needed.height() > full.height() - (horizontal ? extent : 0);
    }
    const int clientWidth = std::max(0, full.width() - (vertical ? extent : 0));
    const int clientHeight = std::max(0, full.height() - (horizontal ? extent : 0));

    hbar_->setRange(0, std::max(0, needed.width() - clientWidth));
    hbar_->setPageStep(std::max(1, clientWidth));
    hbar_->setSingleStep(8);
    hbar_->setGeometry(0, clientHeight, clientWidth, extent);
    hbar_->setVisible(horizontal);
    vbar_->setRange(0, std::max(0, needed.height() - clientHeight));
    vbar_->setPageStep(std::max(1, clientHeight));
    vbar_->setSingleStep(8);
    vbar_->setGeometry(clientWidth, 0, extent, clientHeight);
    vbar_->setVisible(vertical);
    hbar_->raise();
    vbar_->raise();

    area_ = QRect(-hbar_->value(), -vbar_->value(), std::max(clientWidth, needed.width()),
                  std::max(clientHeight, needed.height()));
}

void AlignLayout::realign()
{
    if (realigning_)
        return;
    realigning_ = true;
    if (autoScroll_)
        updateScrollBars();
    QRect rest = area().adjusted(inset_, inset_, -inset_, -inset_);
    const auto place = [](QWidget* w, int x, int y, int width, int height) {
        width = std::max(width, w->minimumWidth());
        height = std::max(height, w->minimumHeight());
        w->setGeometry(x, y, width, height);
    };
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (const Item& item : items_) {
            QWidget* w = item.widget;
            if (!w || item.align != pass || w->isHidden())
                continue;
            switch (pass) {
            case Align::Top:
                place(w, rest.left(), rest.top(), rest.width(), w->height());
                rest.setTop(rest.top() + w->height());
                break;
            case Align::Bottom:
                place(w, rest.left(), rest.bottom() + 1 - w->height(), rest.width(), w->height());
                rest.setBottom(rest.bottom() - w->height());
                break;
            case Align::Left:
                place(w, rest.left(), rest.top(), w->width(), rest.height());
                rest.setLeft(rest.left() + w->width());
                break;
            case Align::Right:
                place(w, rest.right() + 1 - w->width(), rest.top(), w->width(), rest.height());
                rest.setRight(rest.right() - w->width());
                break;
            case Align::Client:
                place(w, rest.left(), rest.top(), rest.width(), rest.height());
                break;
            case Align::None:
                break;
            }
        }
    }
    realigning_ = false;
}

void AlignLayout::setWidth(QWidget* control, int width)
{
    control->resize(std::max(width, control->minimumWidth()), control->height());
    if (AlignLayout* layout = of(control))
        layout->realign();
}

void AlignLayout::setLeft(QWidget* control, int left)
{
    control->move(left, control->y());
    if (AlignLayout* layout = of(control))
        layout->realign();
}

bool AlignLayout::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (watched == container_ && type == QEvent::Resize)
        realign();
    else if (watched != container_ &&
             (type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide))
        realign();
    return QObject::eventFilter(watched, event);
}
