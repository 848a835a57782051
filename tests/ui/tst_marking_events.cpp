// Cell marking driven with real mouse and key events on the main window's grid.
#include "controls/StringGrid.h"
#include "controls/SystemColors.h"
#include "core/CellTable.h"
#include "core/Marker.h"
#include "ui/TfMain.h"

#include <QScrollBar>
#include <QTest>

using namespace std::string_literals;

namespace {

std::string cell(int c, int r)
{
    return std::string(fMain->Grid->getCellEx(c, r));
}

QPoint at(int c, int r)
{
    return fMain->Grid->cellRect(c, r).center();
}

QWidget* view()
{
    return fMain->Grid->viewport();
}

// The first data cell whose mark differs from whether it lies inside `sel`; empty when every
// cell is in line.
QString outOfLine(const GridRect& sel)
{
    StringGrid* g = fMain->Grid;
    for (int r = 1; r < g->rowCount(); ++r)
        for (int c = 0; c < g->colCount(); ++c)
            if (core::isMarked(g->getCellEx(c, r)) != sel.contains(c, r))
                return QStringLiteral("(%1, %2)").arg(c).arg(r);
    return {};
}

// A table of `rows` data rows under plain titles: column c of row r holds "c.r".
core::CellTable tallTable(int cols, int rows)
{
    core::CellTable t(cols, rows + 1);
    for (int c = 0; c < cols; ++c)
        t.setCell(c, 0, "T" + std::to_string(c));
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < cols; ++c)
            t.setCell(c, r, std::to_string(c) + "." + std::to_string(r));
    return t;
}

} // namespace

class TestMarkingEvents : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        QTRY_COMPARE(cell(0, 1), "4\xA0"s);
    }
    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
    }

    void startUp()
    {
        QCOMPARE(cell(0, 0), "Groep"s);
        QCOMPARE(cell(1, 0), "Voornaam"s);
        QCOMPARE(cell(2, 0), "Tussenvoegsel"s);
        QCOMPARE(cell(3, 0), "Achternaam"s);
        QCOMPARE(outOfLine({0, 1, 0, 1}), QString());
        // Fitted to the widest text plus the margin and 10.
        QVERIFY(fMain->Grid->colWidth(2) > fMain->Grid->colWidth(0));
    }

    // The raised frame: light left column but its bottom pixel, light top row but its right
    // pixel; dark right column and bottom row. Title cells get it too.
    void frame_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("data cell") << 2;
        QTest::newRow("title cell") << 0;
    }
    void frame()
    {
        QFETCH(int, row);
        const QRect rect = fMain->Grid->cellRect(1, row);
        const QImage image = view()->grab().toImage();
        const int L = rect.left(), T = rect.top();
        const int r = rect.left() + rect.width() - 1, b = rect.top() + rect.height() - 1;
        const QRgb light = syscolors::btnHighlight().rgb();
        const QRgb dark = syscolors::btnShadow().rgb();
        QCOMPARE(image.pixel(L, T), light);
        QCOMPARE(image.pixel(L, b - 1), light);
        QCOMPARE(image.pixel(r - 1, T), light);
        QCOMPARE(image.pixel(r, T), dark);
        QCOMPARE(image.pixel(r, b), dark);
        QCOMPARE(image.pixel(L, b), dark);
        QCOMPARE(image.pixel(L + 1, b), dark);
    }

    void dragAndBack()
    {
        QTest::mousePress(view(), Qt::LeftButton, {}, at(1, 1));
        QTest::mouseMove(view(), at(2, 2));
        QTest::mouseMove(view(), at(3, 2));
        QTRY_COMPARE(outOfLine({1, 1, 3, 2}), QString());
        QCOMPARE(cell(1, 1), "Jelmar\xA0"s);
        QCOMPARE(cell(0, 1), "4"s);
        QTest::mouseMove(view(), at(1, 2));
        QTRY_COMPARE(outOfLine({1, 1, 1, 2}), QString());
        QCOMPARE(cell(3, 2), "Brink"s);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(1, 2));
        QTest::qWait(50);
        QCOMPARE(outOfLine({1, 1, 1, 2}), QString());
        QCOMPARE(fMain->Grid->selection(), (GridRect{1, 1, 1, 2}));
    }

    void shiftPress()
    {
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(1, 1));
        QTest::mouseClick(view(), Qt::LeftButton, Qt::ShiftModifier, at(2, 2));
        QTRY_COMPARE(outOfLine({1, 1, 2, 2}), QString());
        QCOMPARE(fMain->Grid->currentCell(), QPoint(1, 1));
    }

    // Presses that leave the selection as it is: the marks are removed and come back on the
    // selection.
    void pressKeepsSelection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("right button") << 0;
        QTest::newRow("empty area below the rows") << 1;
        QTest::newRow("title row") << 2;
        QTest::newRow("second press of a double-click") << 3;
    }
    void pressKeepsSelection()
    {
        QFETCH(int, kind);
        QTest::mousePress(view(), Qt::LeftButton, {}, at(1, 1));
        QTest::mouseMove(view(), at(2, 2));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(2, 2));
        QTRY_COMPARE(outOfLine({1, 1, 2, 2}), QString());
        const GridRect sel = fMain->Grid->selection();
        switch (kind) {
        case 0:
            QTest::mouseClick(view(), Qt::RightButton, {}, at(3, 1));
            break;
        case 1:
            QTest::mouseClick(view(), Qt::LeftButton, {}, at(1, 2) + QPoint(0, 60));
            break;
        case 2:
            // Press in the title row, release in the data area: neither a sort nor a move.
            QTest::mousePress(view(), Qt::LeftButton, {}, at(3, 0));
            QCOMPARE(fMain->Grid->selection(), sel);
            QTest::mouseRelease(view(), Qt::LeftButton, {}, at(3, 2));
            QCOMPARE(cell(3, 0), "Achternaam"s);
            break;
        case 3:
            QTest::mouseDClick(view(), Qt::LeftButton, {}, at(3, 1));
            break;
        }
        QCOMPARE(fMain->Grid->selection(), sel);
        QTRY_COMPARE(outOfLine(sel), QString());
    }

    void markerRules()
    {
        StringGrid* g = fMain->Grid;
        g->setCellEx(2, 2, "");
        g->setCellEx(1, 2, "de\xA0\xA0");
        g->setCellEx(3, 1,
                     "van\xA0"
                     "der");
        // Painted as not selected: two markers go one per paint; a marker inside stays.
        QTRY_COMPARE(cell(1, 2), "de"s);
        QCOMPARE(cell(3, 1), "van\xA0"
                             "der"s);
        // Selected: the empty cell becomes the marker alone, the inner 0xA0 gets a second one.
        QTest::mousePress(view(), Qt::LeftButton, {}, at(2, 2));
        QTest::mouseMove(view(), at(3, 1));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(3, 1));
        QTRY_COMPARE(cell(2, 2), "\xA0"s);
        QCOMPARE(cell(3, 1), "van\xA0"
                             "der\xA0"s);
        // Painted again and again while selected: never doubled.
        g->viewport()->repaint();
        QTest::qWait(30);
        QCOMPARE(cell(2, 2), "\xA0"s);
        QCOMPARE(cell(3, 2), "Brink\xA0"s);
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(0, 1));
        QTRY_COMPARE(cell(2, 2), ""s);
        QCOMPARE(cell(3, 1), "van\xA0"
                             "der"s);
    }

    void sortWithRangeSelected()
    {
        StringGrid* g = fMain->Grid;
        QTest::mousePress(view(), Qt::LeftButton, {}, at(0, 1));
        QTest::mouseMove(view(), at(3, 2));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(3, 2));
        QTRY_COMPARE(outOfLine({0, 1, 3, 2}), QString());
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(1, 0)); // Voornaam: Jelmar, Roosje
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(1, 0)); // reversed
        QCOMPARE(g->sortColumn(), 1);
        QVERIFY(!g->sortAscending());
        QTRY_COMPARE(outOfLine({0, 1, 0, 1}), QString());
        QCOMPARE(cell(1, 1), "Roosje"s);
        QCOMPARE(cell(0, 1), "5\xA0"s);
        QCOMPARE(cell(3, 2), "Vlietman"s);
    }

    void columnMoveWithMarks()
    {
        StringGrid* g = fMain->Grid;
        QTest::mousePress(view(), Qt::LeftButton, {}, at(2, 1));
        QTest::mouseMove(view(), at(3, 2));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(3, 2));
        QTRY_COMPARE(outOfLine({2, 1, 3, 2}), QString());
        // Drag the title "Groep" onto the last column.
        QTest::mousePress(view(), Qt::LeftButton, {}, at(0, 0));
        QTest::mouseMove(view(), at(1, 0));
        QTest::mouseMove(view(), at(3, 0));
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at(3, 0));
        QCOMPARE(cell(3, 0), "Groep"s);
        QCOMPARE(cell(0, 0), "Voornaam"s);
        QCOMPARE(std::string(core::unmark(g->getCellEx(3, 2))), "5"s);
        QCOMPARE(std::string(core::unmark(g->getCellEx(1, 1))), "van der"s);
        QTRY_COMPARE(outOfLine(g->selection()), QString());
        QCOMPARE(g->sortColumn(), -1);
    }

    // Selected cells out of view are marked, stale marks out of view are removed.
    void outOfView()
    {
        StringGrid* g = fMain->Grid;
        g->setTable(tallTable(3, 300));
        QTRY_COMPARE(outOfLine(g->selection()), QString());
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(0, 1));
        QTRY_COMPARE(outOfLine({0, 1, 0, 1}), QString());
        g->verticalScrollBar()->setValue(200);
        QTest::qWait(20);
        QTest::mouseClick(view(), Qt::LeftButton, Qt::ShiftModifier, at(1, 205));
        QTRY_COMPARE(outOfLine({0, 1, 1, 205}), QString());
        // A right click with a long selection keeps every selected cell marked.
        QTest::mouseClick(view(), Qt::RightButton, {}, at(2, 203));
        QTRY_COMPARE(outOfLine({0, 1, 1, 205}), QString());
        // A sort carries rows out of view; afterwards only the current cell is marked.
        QTest::mouseClick(view(), Qt::LeftButton, {}, at(1, 0));
        QCOMPARE(g->sortColumn(), 1);
        QTRY_COMPARE(outOfLine({0, 1, 0, 1}), QString());
        QCOMPARE(std::string(core::unmark(g->getCellEx(1, 2))), "1.2"s);
        QCOMPARE(std::string(core::unmark(g->getCellEx(1, 10))), "1.10"s); // natural order
        // Scrolling with the keyboard and dragging are in line too.
        g->setFocus();
        QTest::keyClick(g, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
        QTRY_COMPARE(outOfLine({0, 1, 2, 300}), QString());
        QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
        QTRY_COMPARE(outOfLine({0, 1, 0, 1}), QString());
        // Imported texts ending with the marker out of view are not taken as picked.
        core::CellTable t = tallTable(3, 300);
        t.setCell(2, 250, "x\xA0");
        g->setTable(std::move(t));
        QTRY_COMPARE(outOfLine(g->selection()), QString());
    }

    void dragBelowScrolls()
    {
        StringGrid* g = fMain->Grid;
        g->setTable(tallTable(3, 300));
        QTest::mousePress(view(), Qt::LeftButton, {}, at(0, 1));
        QTest::mouseMove(view(), QPoint(at(1, 1).x(), view()->height() + 20));
        QTRY_VERIFY(g->anchorCell().y() > 40);
        QTest::mouseRelease(view(), Qt::LeftButton, {},
                            QPoint(at(1, 1).x(), view()->height() + 20));
        const GridRect sel = g->selection();
        QVERIFY(g->topRow() > 1);
        QCOMPARE(sel.right, 1);
        QTRY_COMPARE(outOfLine(sel), QString());
        QTest::qWait(150);
        QCOMPARE(g->selection(), sel); // the release stopped the timer
    }
};

QTEST_MAIN(TestMarkingEvents)
#include "tst_marking_events.moc"
