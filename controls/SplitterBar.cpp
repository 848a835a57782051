#include "controls/SplitterBar.h"

#include "controls/SystemColors.h"

#include <QPainter>

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
    resize(10, height());
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
