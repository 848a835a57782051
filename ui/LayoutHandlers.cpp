// The controls that follow the splitter and the window's width, and the instructions panel.
#include "controls/AlignLayout.h"
#include "ui/LayoutRules.h"
#include "ui/TfMain.h"

#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

namespace {

// The transfer button and the two labels, in this order, each step reading what the one
// before it left: the button centred on the splitter's left edge, the labels centred in the
// gaps on either side of it. Lefts of the splitter and of the top panel's controls share one
// scale, as the top panel starts at the window's left edge.
void placeAboveSplitter(TfMain& w)
{
    AlignLayout::setLeft(w.tbNaarmemo,
                         layoutrules::naarmemoLeft(w.Splitter->x(), w.tbNaarmemo->width()));
    AlignLayout::setLeft(w.lCSV, layoutrules::csvLeft(w.tbNaarmemo->x(), w.tbStop->width(),
                                                      w.tbImporteer->width(), w.lCSV->width()));
    AlignLayout::setLeft(w.lZBR, layoutrules::zbrLeft(w.tbNaarmemo->x(), w.tbNaarmemo->width(),
                                                      w.tbBewaar->x(), w.lZBR->width()));
}

} // namespace

void TfMain::FormResize()
{
    // 1 to 3. The transfer button and the labels.
    placeAboveSplitter(*this);
    // 4. The instructions take the bottom panel's width but the stop button's; a bottom panel
    // no wider than the button leaves them no width at all.
    AlignLayout::setWidth(
        mToelichting, std::max(0, layoutrules::toelichtingWidth(pOnder->width(), tbStop->width())));
    // 5. The instructions, refilled.
    mToelichting->lines().clear();
    for (std::string_view line : layoutrules::kInstructions)
        mToelichting->lines().add(line);
    // 6. Shown from the first line, the caret before the first character, nothing selected,
    // repainted at once.
    mToelichting->ensureCursorVisible();
    QTextCursor cursor = mToelichting->textCursor();
    cursor.movePosition(QTextCursor::Start);
    mToelichting->setTextCursor(cursor);
    mToelichting->ensureCursorVisible();
    mToelichting->verticalScrollBar()->setValue(0);
    mToelichting->horizontalScrollBar()->setValue(0);
    mToelichting->repaint();
}

void TfMain::SplitterMoved()
{
    // The splitter moved, the window's width did not: the instructions stay as they are.
    placeAboveSplitter(*this);
}
