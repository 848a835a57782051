#include "controls/StringGrid.h"
#include "core/CellTable.h"
#include "tests/TestBytes.h"
#include "ui/TfMain.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

// Marks follow the selection on the real window, driven by real mouse events.
class TestMarking : public QObject {
    Q_OBJECT

    StringGrid* grid() const { return fMain->Grid; }
    QWidget* surface() const { return fMain->Grid->viewport(); }
    QPoint at(int col, int row) const { return grid()->cellRect(col, row).center(); }

    void press(int col, int row, Qt::KeyboardModifiers mods = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(surface(), button, mods, at(col, row));
    }
    void release(int col, int row, Qt::KeyboardModifiers mods = {},
                 Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(surface(), button, mods, at(col, row));
    }
    void dragTo(const QPoint& pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, surface()->mapToGlobal(pos), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface(), &move);
    }
    // Lets the grid paint what is due, so the marks of the cells in view catch up.
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QTest::qWait(40);
    }

    // Which data cells carry the marker, as a picture of "x" and "." per row.
    QStringList marks() const
    {
        QStringList rows;
        for (int r = 1; r < grid()->rowCount(); ++r) {
            QString row;
            for (int c = 0; c < grid()->colCount(); ++c)
                row += grid()->getCellEx(c, r).ends_with('\xA0') ? 'x' : '.';
            rows << row;
        }
        return rows;
    }

    // A table of `rows` data rows and 3 columns: "r<row>c<col>".
    void loadTall(int rows)
    {
        core::CellTable table(3, rows + 1);
        for (int c = 0; c < 3; ++c)
            table.setCell(c, 0, "Titel" + std::to_string(c));
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < 3; ++c)
                table.setCell(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
        grid()->setTable(std::move(table));
        settle();
    }

private slots:
    void init()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        settle();
    }

    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
    }

    void startUpMarksTheCurrentCell()
    {
        QTRY_COMPARE(marks(), (QStringList{"x...", "...."}));
        for (int c = 0; c < 4; ++c)
            QVERIFY(!grid()->getCellEx(c, 0).ends_with('\xA0'));
    }

    // Press on (1, 1), drag to (3, 2), back to (1, 2), release.
    void dragSelects()
    {
        press(1, 1);
        dragTo(at(2, 2));
        dragTo(at(3, 2));
        settle();
        QTRY_COMPARE(marks(), (QStringList{".xxx", ".xxx"}));
        dragTo(at(1, 2));
        settle();
        QTRY_COMPARE(marks(), (QStringList{".x..", ".x.."}));
        release(1, 2);
        settle();
        QTRY_COMPARE(marks(), (QStringList{".x..", ".x.."}));
        QCOMPARE(bytes(grid()->getCellEx(1, 1)), QByteArray("Jelmar\xA0"));
    }

    void shiftPressExtends()
    {
        press(1, 1);
        release(1, 1);
        press(3, 2, Qt::ShiftModifier);
        release(3, 2, Qt::ShiftModifier);
        settle();
        QCOMPARE(grid()->currentCell(), QPoint(1, 1));
        QTRY_COMPARE(marks(), (QStringList{".xxx", ".xxx"}));
    }

    // Presses that leave the selection as it is: the marks come back on it.
    void pressesKeepingTheSelection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("right button") << 0;
        QTest::newRow("title row") << 1;
        QTest::newRow("empty area") << 2;
    }

    void pressesKeepingTheSelection()
    {
        QFETCH(int, kind);
        press(1, 1);
        dragTo(at(2, 2));
        release(2, 2);
        settle();
        QTRY_COMPARE(marks(), (QStringList{".xx.", ".xx."}));
        int calls = 0;
        connect(grid(), &StringGrid::mouseDown, this, [&] { ++calls; });
        if (kind == 0) {
            press(0, 2, {}, Qt::RightButton);
            release(0, 2, {}, Qt::RightButton);
        } else if (kind == 1) {
            QTest::mousePress(surface(), Qt::LeftButton, {}, at(3, 0));
            QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(3, 0) + QPoint(0, 200));
        } else {
            const QPoint empty(surface()->width() - 5, surface()->height() - 5);
            QTest::mousePress(surface(), Qt::LeftButton, {}, empty);
            QTest::mouseRelease(surface(), Qt::LeftButton, {}, empty);
        }
        settle();
        QCOMPARE(calls, 1);
        QCOMPARE(grid()->currentCell(), QPoint(1, 1));
        QTRY_COMPARE(marks(), (QStringList{".xx.", ".xx."}));
    }

    void markRules()
    {
        // A marker is never doubled, an empty cell becomes the marker alone and back, a text
        // ending in two markers loses one per paint, a marker inside a text does not count.
        grid()->setCellEx(1, 1, "Jelmar\xA0");
        grid()->setCellEx(2, 1, "");
        grid()->setCellEx(3, 1, "de\xA0\xA0");
        grid()->setCellEx(1, 2,
                          "van\xA0"
                          "der");
        press(1, 1);
        dragTo(at(2, 1));
        release(2, 1);
        settle();
        QCOMPARE(bytes(grid()->getCellEx(1, 1)), QByteArray("Jelmar\xA0"));
        QCOMPARE(bytes(grid()->getCellEx(2, 1)), QByteArray("\xA0"));
        QCOMPARE(bytes(grid()->getCellEx(3, 1)), QByteArray("de"));
        QCOMPARE(bytes(grid()->getCellEx(1, 2)), QByteArray("van\xA0"
                                                            "der"));
        press(1, 2);
        release(1, 2);
        settle();
        QCOMPARE(bytes(grid()->getCellEx(2, 1)), QByteArray());
        QCOMPARE(bytes(grid()->getCellEx(1, 2)), QByteArray("van\xA0"
                                                            "der\xA0"));
    }

    // Sorting by a title click with a range selected: only the current cell stays marked.
    void sortWithRange()
    {
        press(1, 1);
        dragTo(at(3, 2));
        release(3, 2);
        settle();
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at(3, 0)); // by surname
        settle();
        QCOMPARE(bytes(grid()->getCellEx(3, 1)), QByteArray("Brink"));
        QCOMPARE(bytes(grid()->getCellEx(1, 1)), QByteArray("Roosje\xA0"));
        QTRY_COMPARE(marks(), (QStringList{".x..", "...."}));
        QCOMPARE(grid()->sortColumn(), 3);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at(3, 0)); // the other way round
        settle();
        QCOMPARE(bytes(grid()->getCellEx(3, 1)), QByteArray("Vlietman"));
        QVERIFY(!grid()->sortAscending());
    }

    void sortIsNaturalAndStable()
    {
        core::CellTable table(2, 6);
        const char* groups[] = {"Groep", "10", "9", "groep 2", "9", "Groep 10"};
        for (int r = 0; r < 6; ++r) {
            table.setCell(0, r, groups[r]);
            table.setCell(1, r, std::to_string(r));
        }
        grid()->setTable(std::move(table));
        settle();
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at(0, 0));
        settle();
        QStringList order;
        for (int r = 1; r < 6; ++r)
            order << QString::fromLatin1(bytes(grid()->getCellEx(1, r))).remove(QChar(0xA0));
        QCOMPARE(order, (QStringList{"2", "4", "1", "3", "5"}));
    }

    // Dragging a title moves its texts in every row, markers included.
    void columnMove()
    {
        press(3, 1);
        dragTo(at(3, 2));
        release(3, 2);
        settle();
        QTest::mousePress(surface(), Qt::LeftButton, {}, at(3, 0));
        QMouseEvent move(QEvent::MouseMove, at(1, 0), surface()->mapToGlobal(at(1, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface(), &move);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, at(1, 0));
        settle();
        QCOMPARE(bytes(grid()->getCellEx(1, 0)), QByteArray("Achternaam"));
        QCOMPARE(bytes(grid()->getCellEx(2, 0)), QByteArray("Voornaam"));
        QVERIFY(grid()->getCellEx(1, 1).starts_with("Vlietman"));
        QVERIFY(grid()->getCellEx(2, 2).starts_with("Roosje"));
        // The marks lie exactly on the selection the grid has after the move.
        const GridRect sel = grid()->selection();
        for (int r = 1; r < grid()->rowCount(); ++r)
            for (int c = 0; c < grid()->colCount(); ++c)
                QCOMPARE(grid()->getCellEx(c, r).ends_with('\xA0'), sel.contains(c, r));
    }

    // A selection that reaches out of view, scrolled away and extended with Shift: every
    // selected cell is marked and no other, in view or not.
    void outOfViewFollowsSelection()
    {
        loadTall(300);
        press(0, 1);
        release(0, 1);
        grid()->verticalScrollBar()->setValue(250);
        settle();
        const int row = grid()->topRow() + 3;
        press(1, row, Qt::ShiftModifier);
        release(1, row, Qt::ShiftModifier);
        settle();
        for (int r = 1; r <= 300; ++r)
            for (int c = 0; c < 3; ++c)
                QVERIFY2(grid()->getCellEx(c, r).ends_with('\xA0') == (c <= 1 && r <= row),
                         qPrintable(QStringLiteral("cell %1,%2").arg(c).arg(r)));
        // A right-click with the long selection keeps every selected cell marked.
        press(2, row, {}, Qt::RightButton);
        release(2, row, {}, Qt::RightButton);
        settle();
        QVERIFY(grid()->getCellEx(0, 1).ends_with('\xA0'));
        QVERIFY(grid()->getCellEx(1, 120).ends_with('\xA0'));
        // A new press reduces it again: the old marks far out of view are gone.
        press(2, row);
        release(2, row);
        settle();
        QVERIFY(!grid()->getCellEx(0, 1).ends_with('\xA0'));
        QVERIFY(!grid()->getCellEx(1, 120).ends_with('\xA0'));
        QVERIFY(grid()->getCellEx(2, row).ends_with('\xA0'));
    }

    // Dragging below the bottom edge scrolls one row per tick and marks every row passed.
    void dragBelowScrolls()
    {
        loadTall(200);
        press(0, 1);
        const int top = grid()->topRow();
        dragTo(QPoint(at(0, 1).x(), surface()->height() + 20));
        QTRY_VERIFY(grid()->topRow() > top + 5);
        QTRY_VERIFY(grid()->anchorCell().y() > 20);
        release(0, grid()->anchorCell().y());
        settle();
        const int last = grid()->anchorCell().y();
        for (int r = 1; r <= 200; ++r)
            QCOMPARE(grid()->getCellEx(0, r).ends_with('\xA0'), r <= last);
    }

    // An imported text ending in the marker counts only while it is selected.
    void staleMarksAfterNewTable()
    {
        core::CellTable table(2, 100);
        for (int r = 1; r < 100; ++r)
            table.setCell(1, r, "naam\xA0");
        grid()->setTable(std::move(table));
        settle();
        for (int r = 1; r < 100; ++r)
            QVERIFY(!grid()->getCellEx(1, r).ends_with('\xA0'));
    }

    void keyboardMovesAndExtends()
    {
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
        settle();
        QCOMPARE(grid()->currentCell(), QPoint(1, 1));
        QTRY_COMPARE(marks(), (QStringList{".xx.", ".xx."}));
    }
};

QTEST_MAIN(TestMarking)
#include "tst_marking.moc"
