#include "controls/BevelPanel.h"

#include "controls/AlignLayout.h"
#include "controls/SystemColors.h"

#include <QPainter>

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, syscolors::btnFace());
    setPalette(pal);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int r = width() - 1;
    const int b = height() - 1;
    p.setPen(syscolors::btnHighlight());
    p.drawLine(0, b, 0, 0);
    p.drawLine(0, 0, r, 0);
    p.setPen(syscolors::btnShadow());
    p.drawLine(r, 0, r, b);
    p.drawLine(r, b, 0, b);
}
