#include "core/CellTable.h"
#include "core/Marker.h"

#include <QTest>

using namespace std::string_literals;

namespace {

std::string at(const core::CellTable& t, int c, int r)
{
    return std::string(t.cell(c, r));
}

// Builds from `file`, cutting each line at `sep`; fields are views into the builder's buffer.
core::CellTable load(std::string file, char sep, int firstRow = 0, int minCols = 1, int minRows = 0)
{
    core::CellTable::Builder b(firstRow, std::move(file));
    const std::string& buf = b.buffer();
    size_t start = 0;
    for (size_t i = 0; i <= buf.size(); ++i) {
        if (i == buf.size() || buf[i] == sep || buf[i] == '\n') {
            if (i == buf.size() && start == i)
                break;
            b.addField(std::string_view(buf).substr(start, i - start));
            start = i + 1;
            if (i == buf.size() || buf[i] == '\n')
                b.endRow();
        }
    }
    return std::move(b).finish(minCols, minRows);
}

} // namespace

class TestCellTable : public QObject {
    Q_OBJECT

private slots:
    void builderShapes()
    {
        const core::CellTable t = load("a;b\nc\n;;e", ';', 1, 2, 6);
        QCOMPARE(t.colCount(), 3);
        QCOMPARE(t.rowCount(), 6);
        QCOMPARE(at(t, 0, 0), ""s);
        QCOMPARE(at(t, 1, 1), "b"s);
        QCOMPARE(at(t, 0, 2), "c"s);
        QCOMPARE(at(t, 1, 2), ""s);
        QCOMPARE(at(t, 2, 3), "e"s);
        QCOMPARE(at(t, 0, 5), ""s);
        QCOMPARE(at(t, 9, 9), ""s);
    }

    // Marking and unmarking a field that has a separator after it stays in place; fields
    // without room (side by side, or the last bytes of the file) move and keep their text.
    void markInPlace()
    {
        core::CellTable::Builder b(0, "JelmarRoosje;x");
        const std::string_view buf = b.buffer();
        b.addField(buf.substr(0, 6));
        b.addField(buf.substr(6, 6));  // right after the first: no room for the first's marker
        b.addField(buf.substr(13, 1)); // the file's last byte
        b.addField("outside");
        b.endRow();
        core::CellTable t = std::move(b).finish(1, 0);
        for (int c = 0; c < 4; ++c) {
            const std::string text = at(t, c, 0);
            t.setCell(c, 0, core::mark(t.cell(c, 0)));
            QCOMPARE(at(t, c, 0), text + "\xA0");
        }
        QCOMPARE(at(t, 1, 0), "Roosje\xA0"s);
        const char* before = t.cell(1, 0).data();
        t.setCell(1, 0, core::unmark(t.cell(1, 0)));
        t.setCell(1, 0, core::mark(t.cell(1, 0)));
        QCOMPARE(static_cast<const void*>(t.cell(1, 0).data()), static_cast<const void*>(before));
        for (int c = 0; c < 4; ++c)
            t.setCell(c, 0, core::unmark(t.cell(c, 0)));
        QCOMPARE(at(t, 0, 0), "Jelmar"s);
        QCOMPARE(at(t, 1, 0), "Roosje"s);
        QCOMPARE(at(t, 2, 0), "x"s);
        QCOMPARE(at(t, 3, 0), "outside"s);
    }

    void longTexts()
    {
        const std::string longText(300, 'n');
        core::CellTable t = load(longText + ";k\n" + std::string(127, 'm'), ';');
        QCOMPARE(at(t, 0, 0), longText);
        QCOMPARE(at(t, 0, 1), std::string(127, 'm'));
        t.setCell(0, 0, core::mark(t.cell(0, 0)));
        QCOMPARE(at(t, 0, 0), longText + "\xA0");
        t.setCell(0, 0, "short");
        QCOMPARE(at(t, 0, 0), "short"s);
        t.setCell(1, 0, std::string(500, 'z'));
        QCOMPARE(at(t, 1, 0), std::string(500, 'z'));
        // A cell written from another cell's text in the arena.
        t.setCell(0, 1, t.cell(1, 0));
        QCOMPARE(at(t, 0, 1), std::string(500, 'z'));
    }

    void rowsAndColumnsMove()
    {
        core::CellTable t = load("T0;T1;T2\na;1;x\nb;2;y\nc;3;z", ';');
        t.permuteRows(1, {3, 1, 2});
        QCOMPARE(at(t, 0, 1), "c"s);
        QCOMPARE(at(t, 2, 2), "x"s);
        t.moveColumn(0, 2);
        QCOMPARE(at(t, 0, 0), "T1"s);
        QCOMPARE(at(t, 2, 0), "T0"s);
        QCOMPARE(at(t, 2, 1), "c"s);
        t.moveColumn(2, 0);
        t.moveColumn(1, 2);
        QCOMPARE(at(t, 1, 3), "y"s);
        // Counts change after the moves: every remaining text keeps its place.
        t.setCell(1, 1, core::mark(t.cell(1, 1)));
        t.resize(4, 5);
        QCOMPARE(at(t, 0, 1), "c"s);
        QCOMPARE(at(t, 1, 1), "z\xA0"s);
        QCOMPARE(at(t, 2, 3), "2"s);
        QCOMPARE(at(t, 3, 4), ""s);
        t.resize(2, 2);
        QCOMPARE(at(t, 1, 1), "z\xA0"s);
        QCOMPARE(at(t, 2, 1), ""s);
        t.clearCells();
        QCOMPARE(at(t, 0, 1), ""s);
        t.setCell(0, 1, "again");
        QCOMPARE(at(t, 0, 1), "again"s);
    }
};

QTEST_MAIN(TestCellTable)
#include "tst_celltable.moc"
