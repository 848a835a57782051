#include "controls/AlignLayout.h"

#include <QEvent>
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

void AlignLayout::realign()
{
    if (realigning_)
        return;
    realigning_ = true;
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
