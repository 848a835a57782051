#include "controls/PictureButton.h"

#include "controls/SystemColors.h"

#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    resize(113, 98);
}

void PictureButton::setPicture(const QString& path)
{
    picture_ = path;
    image_ = QImage(kPictureSize, kPictureSize, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter p(&image_);
    renderer.render(&p, QRectF(0, 0, kPictureSize, kPictureSize));
    p.end();

    // The shadow is the picture's silhouette in grey.
    shadow_ = image_;
    QPainter s(&shadow_);
    s.setCompositionMode(QPainter::CompositionMode_SourceIn);
    s.fillRect(shadow_.rect(), QColor(128, 128, 128));
    s.end();
    update();
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    hot_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    hot_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = isDown();
    if (down || hot_) {
        p.setPen(Qt::NoPen);
        p.setBrush(down ? colorDown() : colorHot());
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }

    const QFontMetrics fm(font());
    const int textHeight = fm.height();
    const int top = (height() - (kPictureSize + kGap + textHeight)) / 2;
    const int lift = hot_ && !down ? -1 : 0;
    const QPoint picturePos((width() - kPictureSize) / 2 + lift, top + lift);
    if (hot_ && !down)
        p.drawImage(picturePos + QPoint(2, 2), shadow_);
    p.drawImage(picturePos, image_);

    const QRect textRect(lift, top + kPictureSize + kGap + lift, width(), textHeight);
    p.setPen(syscolors::windowText());
    style()->drawItemText(&p, textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic,
                          palette(), true, text());
}
