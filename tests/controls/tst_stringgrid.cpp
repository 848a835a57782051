// The source grid on its own: counts, painting flags, sorting, keyboard, column fitting.
#include "controls/StringGrid.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>

namespace {

struct Painted {
    int col;
    int row;
    GridDrawState state;
};

core::CellTable column(std::initializer_list<const char*> texts)
{
    core::CellTable t(2, static_cast<int>(texts.size()));
    int r = 0;
    for (const char* text : texts) {
        t.setCell(0, r, text);
        t.setCell(1, r, std::to_string(r));
        ++r;
    }
    return t;
}

} // namespace

class TestStringGrid : public QObject {
    Q_OBJECT

    StringGrid* grid = nullptr;
    std::vector<Painted> painted;

    QPoint at(int c, int r) const { return grid->cellRect(c, r).center(); }

private slots:
    void init()
    {
        grid = new StringGrid;
        grid->resize(400, 300);
        connect(grid, &StringGrid::drawCell, this,
                [this](int c, int r, const QRect&, GridDrawState s, QPainter*) {
                    painted.push_back({c, r, s});
                });
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        painted.clear();
    }
    void cleanup()
    {
        delete grid;
        grid = nullptr;
    }

    void createdWithOneCellSelected()
    {
        QCOMPARE(grid->currentCell(), QPoint(0, 1));
        QCOMPARE(grid->selection(), (GridRect{0, 1, 0, 1}));
        grid->setRowCount(1);
        QCOMPARE(grid->rowCount(), 2); // the title row and one data row stay
    }

    // Count changes keep the current cell's numbers, moved inside, and reduce the selection.
    void countChanges()
    {
        grid->setColCount(6);
        grid->setRowCount(10);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(3, 4));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(4, 6));
        QCOMPARE(grid->selection(), (GridRect{3, 4, 4, 6}));
        grid->setRowCount(20);
        QCOMPARE(grid->selection(), (GridRect{3, 4, 3, 4}));
        grid->setColCount(2);
        grid->setRowCount(3);
        QCOMPARE(grid->currentCell(), QPoint(1, 2));
        QCOMPARE(grid->selection(), (GridRect{1, 2, 1, 2}));

        // A new table of the same size keeps the selection.
        grid->setRowCount(10);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(0, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(1, 5));
        grid->setTable(core::CellTable(2, 10));
        QCOMPARE(grid->selection(), (GridRect{0, 2, 1, 5}));
        grid->setTable(core::CellTable(2, 4));
        QCOMPARE(grid->selection(), (GridRect{0, 2, 0, 2}));
    }

    // Flags as passed with each painted cell; only cells in view are painted; writing a cell
    // paints nothing at once.
    void paintFlags()
    {
        grid->setColCount(3);
        grid->setRowCount(200);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2, 2));
        painted.clear();
        grid->viewport()->repaint();
        QVERIFY(!painted.empty());
        const GridRect view = grid->dataView();
        for (const Painted& p : painted) {
            QVERIFY(p.row == 0 || (p.row >= view.top && p.row <= view.bottom));
            QCOMPARE(p.state.fixed, p.row == 0);
            QCOMPARE(p.state.selected, p.row > 0 && p.col >= 1 && p.row <= 2);
            QCOMPARE(p.state.focused, grid->hasFocus() && p.col == 1 && p.row == 1);
        }
        QVERIFY(view.bottom < 199);
        painted.clear();
        grid->setCellEx(0, 3, "x");
        QVERIFY(painted.empty());
        QTRY_VERIFY(std::any_of(painted.begin(), painted.end(),
                                [](const Painted& p) { return p.col == 0 && p.row == 3; }));
    }

    void sortByTitleClick()
    {
        grid->setTable(column({"Naam", "groep 10", "Groep 9", "alfa", "groep 9", "B\xE8ta"}));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(1, 3));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(0, 0));
        std::vector<std::string> got;
        for (int r = 1; r < grid->rowCount(); ++r)
            got.emplace_back(std::string(grid->getCellEx(0, r)) + "/" +
                             std::string(grid->getCellEx(1, r)));
        // Stable: "Groep 9" (row 2) before "groep 9" (row 4).
        QCOMPARE(got, (std::vector<std::string>{"alfa/3", "B\xE8ta/5", "Groep 9/2", "groep 9/4",
                                                "groep 10/1"}));
        QCOMPARE(grid->selection(), (GridRect{1, 3, 1, 3}));
        QCOMPARE(grid->getCellEx(0, 0), std::string_view("Naam"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(0, 0));
        QCOMPARE(grid->getCellEx(1, 1), std::string_view("1"));
        // Equal texts keep the order they had.
        QCOMPARE(grid->getCellEx(1, 2), std::string_view("2"));
        QCOMPARE(grid->getCellEx(1, 3), std::string_view("4"));
        QCOMPARE(grid->getCellEx(1, 5), std::string_view("3"));
        QVERIFY(!grid->sortAscending());
    }

    void noSortWithOneDataRow()
    {
        grid->setTable(column({"T", "b"}));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(0, 0));
        QCOMPARE(grid->sortColumn(), -1);
    }

    void keyboard()
    {
        grid->setColCount(4);
        grid->setRowCount(100);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentCell(), QPoint(1, 2));
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(grid->selection(), (GridRect{1, 2, 2, 3}));
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Up);
        QTest::keyClick(grid, Qt::Key_Up); // never into the title row
        QCOMPARE(grid->selection(), (GridRect{1, 1, 1, 1}));
        QTest::keyClick(grid, Qt::Key_PageDown);
        QVERIFY(grid->currentCell().y() > 5);
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->currentCell(), QPoint(3, 99));
        QVERIFY(grid->isInView(3, 99));
    }

    void fitColumns()
    {
        grid->setColCount(2);
        grid->setRowCount(3);
        grid->setCellEx(0, 0, "T");
        grid->setCellEx(0, 2, "Tussenvoegsel");
        grid->setCellEx(1, 0, "Achternaam");
        grid->setCellEx(1, 1, "x");
        grid->fitColumns(10, 4);
        const QFontMetrics body(grid->font());
        QVERIFY(qAbs(grid->colWidth(0) - (body.horizontalAdvance("Tussenvoegsel") + 8)) <= 2);
        QFont bold = grid->font();
        bold.setBold(true);
        QVERIFY(qAbs(grid->colWidth(1) -
                     (QFontMetrics(bold).horizontalAdvance("Achternaam") + 8)) <= 2);
        grid->setCellEx(0, 2, "");
        grid->setCellEx(0, 0, "");
        grid->fitColumns(10, 4);
        QCOMPARE(grid->colWidth(0), 14);
    }
};

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
