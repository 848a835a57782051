// Cell marking: a data cell painted as selected carries the marker at the end of its text;
// every press in the grid first removes all marks.
#include "ui/TfMain.h"

#include "controls/StringGrid.h"
#include "controls/SystemColors.h"
#include "core/Marker.h"

#include <QPainter>

void TfMain::GridDrawCell(int ACol, int ARow, const QRect& Rect, const GridDrawState& State,
                          QPainter* Canvas)
{
    const std::string_view text = Grid->getCellEx(ACol, ARow);
    if (State.selected) {
        if (ARow != 0 && !core::isMarked(text))
            Grid->setCellEx(ACol, ARow, core::mark(text));
    } else if (core::isMarked(text)) {
        Grid->setCellEx(ACol, ARow, core::unmark(text));
    }

    // The raised frame: light left and top, dark right and bottom.
    const int L = Rect.left();
    const int T = Rect.top();
    const int r = Rect.left() + Rect.width() - 1;
    const int b = Rect.top() + Rect.height() - 1;
    Canvas->setPen(QPen(syscolors::btnHighlight(), 1));
    Canvas->drawLine(L, b, L, T + 1);
    Canvas->drawLine(L, T, r - 1, T);
    Canvas->setPen(QPen(syscolors::btnShadow(), 1));
    Canvas->drawLine(r, T, r, b);
    Canvas->drawLine(r - 1, b, L, b);
}

void TfMain::GridMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, const QPoint&)
{
    for (int r = 1; r < Grid->rowCount(); ++r) {
        for (int c = 0; c < Grid->colCount(); ++c) {
            const std::string_view text = Grid->getCellEx(c, r);
            if (core::isMarked(text))
                Grid->setCellEx(c, r, core::unmark(text));
        }
    }
}
