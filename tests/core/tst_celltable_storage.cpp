#include "core/CellTable.h"

#include <QTest>

#include <algorithm>
#include <climits>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using core::CellTable;

namespace {

std::string_view sv(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

std::string label(int col, int row)
{
    return "c" + std::to_string(col) + "r" + std::to_string(row);
}

// The simple model the table must behave like.
using Model = std::vector<std::vector<std::string>>; // [row][col]

Model modelOf(const CellTable& table)
{
    Model model(static_cast<size_t>(table.rowCount()),
                std::vector<std::string>(static_cast<size_t>(table.colCount())));
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.colCount(); ++c)
            model[r][c] = std::string(table.cell(c, r));
    return model;
}

CellTable filled(int cols, int rows)
{
    CellTable table(cols, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            table.setCell(c, r, label(c, r));
    return table;
}

bool pointsInto(std::string_view text, const char* begin, size_t size)
{
    return std::less_equal<const char*>()(begin, text.data()) &&
           std::less_equal<const char*>()(text.data() + text.size(), begin + size);
}

// Cuts `lines` (rows separated by '\n', fields by ';') into a table. A field starting with '!'
// is given from a scratch text without the '!' (as the import gives a field it rewrote); the
// others are views into the adopted buffer. Returns where the buffer's bytes ended up.
CellTable buildFromLines(const QByteArray& lines, int firstRow, int minCols, int minRows,
                         const char** bufferData = nullptr, size_t* bufferSize = nullptr)
{
    std::string bytes(sv(lines));
    bytes.reserve(64); // on the heap: the builder's buffer keeps its address in the table
    CellTable::Builder builder(firstRow, std::move(bytes));
    std::string& buffer = builder.buffer();
    const char* data = buffer.data();
    std::string scratch;
    size_t pos = 0;
    while (pos < buffer.size()) {
        const char* nl =
            static_cast<const char*>(std::memchr(data + pos, '\n', buffer.size() - pos));
        const size_t end = nl ? static_cast<size_t>(nl - data) : buffer.size();
        size_t from = pos;
        while (from < end) {
            const char* semi = static_cast<const char*>(std::memchr(data + from, ';', end - from));
            const size_t to = semi ? static_cast<size_t>(semi - data) : end;
            std::string_view field(data + from, to - from);
            if (!field.empty() && field[0] == '!') {
                scratch.assign(field.substr(1));
                field = scratch;
            }
            builder.addField(field);
            from = to + 1;
            if (semi && to + 1 == end)
                builder.addField({}); // a trailing ';' leaves an empty last field
        }
        builder.endRow();
        pos = end + 1;
    }
    if (bufferData)
        *bufferData = data;
    if (bufferSize)
        *bufferSize = buffer.size();
    return std::move(builder).finish(minCols, minRows);
}

} // namespace

class TestCellTableStorage : public QObject {
    Q_OBJECT

private slots:
    void resizeKeepsCells_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("newCols");
        QTest::addColumn<int>("newRows");
        QTest::newRow("wider") << 3 << 4 << 5 << 4;
        QTest::newRow("narrower") << 5 << 4 << 2 << 4;
        QTest::newRow("taller") << 3 << 4 << 3 << 9;
        QTest::newRow("shorter") << 3 << 4 << 3 << 1;
        QTest::newRow("wider and shorter") << 3 << 6 << 7 << 2;
        QTest::newRow("narrower and taller") << 6 << 3 << 2 << 8;
        QTest::newRow("to nothing") << 4 << 4 << 0 << 0;
        QTest::newRow("from nothing") << 0 << 0 << 3 << 3;
        QTest::newRow("negative counts") << 3 << 3 << -2 << -5;
    }
    void resizeKeepsCells()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, newCols);
        QFETCH(int, newRows);
        CellTable table = filled(cols, rows);
        table.resize(newCols, newRows);
        QCOMPARE(table.colCount(), std::max(newCols, 0));
        QCOMPARE(table.rowCount(), std::max(newRows, 0));
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.colCount(); ++c)
                QCOMPARE(table.cell(c, r), c < cols && r < rows ? label(c, r) : std::string());
        // The new cells take texts like the old ones.
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.colCount(); ++c)
                table.setCell(c, r, label(r, c) + "x");
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.colCount(); ++c)
                QCOMPARE(table.cell(c, r), label(r, c) + "x");
    }

    void everyByteValue()
    {
        std::string all(256, '\0');
        std::iota(all.begin(), all.end(), 0);
        CellTable table(257, 2);
        for (int b = 0; b < 256; ++b)
            table.setCell(b, 0, std::string(1, static_cast<char>(b)));
        table.setCell(256, 0, all);
        std::string reversed(all.rbegin(), all.rend());
        table.setCell(256, 1, reversed);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(table.cell(b, 0), std::string(1, static_cast<char>(b)));
        QCOMPARE(table.cell(256, 0), all);
        QCOMPARE(table.cell(256, 1), reversed);
        // Through the builder too, NUL bytes included.
        CellTable::Builder builder(0, all + all);
        builder.addField(std::string_view(builder.buffer()).substr(0, 256));
        builder.addField(std::string_view(builder.buffer()).substr(300, 10));
        builder.addField(reversed);
        builder.endRow();
        const CellTable built = std::move(builder).finish(0, 0);
        QCOMPARE(built.cell(0, 0), all);
        QCOMPARE(built.cell(1, 0), all.substr(300 - 256, 10));
        QCOMPARE(built.cell(2, 0), reversed);
    }

    // Marking and unmarking, as the window does on every paint, happens in place: the text
    // stays where it is and the table does not grow; the neighbours keep their texts.
    void markCyclesInPlace_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::newRow("separated") << QByteArray("Anna;de Vries;Jan\nPiet;;Klaas\n");
        QTest::newRow("rewritten fields") << QByteArray("!Anna;de Vries;!Jan\n!x;y;z");
        QTest::newRow("no line end") << QByteArray("Anna;Bob");
        QTest::newRow("one byte fields") << QByteArray("a;b;c\nd;e;f");
    }
    void markCyclesInPlace()
    {
        QFETCH(QByteArray, lines);
        const char* bufferData = nullptr;
        size_t bufferSize = 0;
        CellTable table = buildFromLines(lines, 1, 0, 0, &bufferData, &bufferSize);
        table.setCell(0, 0, "written later");
        const Model before = modelOf(table);
        size_t memory = 0;
        for (int cycle = 0; cycle < 3; ++cycle) {
            for (int r = 0; r < table.rowCount(); ++r) {
                for (int c = 0; c < table.colCount(); ++c) {
                    const std::string_view text = table.cell(c, r);
                    const char* where = text.data();
                    // Only a text at the very end of the file has no byte after it.
                    const bool room =
                        cycle > 0 || text.data() + text.size() != bufferData + bufferSize;
                    table.setCell(c, r, std::string(text) + '\xA0');
                    QCOMPARE(table.cell(c, r), before[r][c] + '\xA0');
                    if (!before[r][c].empty() && room)
                        QCOMPARE(static_cast<const void*>(table.cell(c, r).data()),
                                 static_cast<const void*>(where));
                }
            }
            Model marked = before;
            for (auto& row : marked)
                for (auto& text : row)
                    text += '\xA0';
            QCOMPARE(modelOf(table), marked);
            for (int r = 0; r < table.rowCount(); ++r) {
                for (int c = 0; c < table.colCount(); ++c) {
                    const std::string_view text = table.cell(c, r);
                    table.setCell(c, r, text.substr(0, text.size() - 1));
                    if (!before[r][c].empty())
                        QCOMPARE(table.cell(c, r).data(), text.data());
                }
            }
            QCOMPARE(modelOf(table), before);
            // Once every cell has been marked, the cycles take no memory.
            if (cycle == 0)
                memory = table.memoryUsage();
        }
        QCOMPARE(table.memoryUsage(), memory);
    }

    // Fields cut at fixed widths touch each other: the byte after one is the next one's first.
    void adjacentFieldsKeepTheirTexts()
    {
        CellTable::Builder builder(0, "abcdefghij-and-some-more-bytes");
        const std::string_view buffer = builder.buffer();
        builder.addField(buffer.substr(0, 3));
        builder.addField(buffer.substr(3, 3));
        builder.addField({});
        builder.addField(buffer.substr(6, 2));
        builder.addField(buffer.substr(3, 3)); // the same view again
        builder.addField(buffer.substr(0, 4)); // a view behind the others
        builder.endRow();
        CellTable table = std::move(builder).finish(0, 0);
        const Model before = modelOf(table);
        QCOMPARE(before[0], (std::vector<std::string>{"abc", "def", "", "gh", "def", "abcd"}));
        for (int c = 0; c < table.colCount(); ++c) {
            table.setCell(c, 0, std::string(table.cell(c, 0)) + "\xA0");
            Model expected = before;
            for (int m = 0; m <= c; ++m)
                expected[0][m] += "\xA0";
            QCOMPARE(modelOf(table), expected);
        }
        for (int c = 0; c < table.colCount(); ++c)
            table.setCell(c, 0, table.cell(c, 0).substr(0, before[0][c].size()));
        QCOMPARE(modelOf(table), before);
    }

    void prefixAndOtherWrites_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("sameCell"); // the text is a view into the cell itself
        QTest::newRow("own prefix") << QByteArray("Maria") << true;
        QTest::newRow("own empty prefix") << QByteArray() << true;
        QTest::newRow("shorter other text") << QByteArray("Ab") << false;
        QTest::newRow("same length other text") << QByteArray("Bernadette") << false;
        QTest::newRow("longer text") << QByteArray("Bernadette van den Berg") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void prefixAndOtherWrites()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, sameCell);
        CellTable table = buildFromLines("Maria Anna;Joost\nPim;Els\n", 0, 0, 0);
        const Model before = modelOf(table);
        std::string_view written = sv(text);
        if (sameCell)
            written = table.cell(0, 0).substr(0, written.size());
        table.setCell(0, 0, written);
        Model expected = before;
        expected[0][0] = std::string(sv(text));
        QCOMPARE(modelOf(table), expected);
        // Written from another cell's text.
        table.setCell(1, 1, table.cell(1, 0));
        expected[1][1] = expected[0][1];
        QCOMPARE(modelOf(table), expected);
    }

    void builder_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<int>("minCols");
        QTest::addColumn<int>("minRows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::newRow("rectangle") << QByteArray("a;b;c\nd;e;f") << 0 << 0 << 0 << 3 << 2;
        QTest::newRow("ragged rows") << QByteArray("a\nb;c;d;e\n;f\ng;h") << 0 << 0 << 0 << 4 << 4;
        QTest::newRow("empty rows") << QByteArray("\na;b\n\n\nc\n") << 0 << 0 << 0 << 2 << 5;
        QTest::newRow("only empty rows") << QByteArray("\n\n") << 0 << 0 << 0 << 1 << 2;
        QTest::newRow("first row") << QByteArray("a;b\nc") << 1 << 0 << 0 << 2 << 3;
        QTest::newRow("first rows") << QByteArray("a;b;c\n\nd") << 4 << 0 << 0 << 3 << 7;
        QTest::newRow("min cols") << QByteArray("a;b\nc") << 0 << 5 << 0 << 5 << 2;
        QTest::newRow("min rows") << QByteArray("a;b\nc") << 1 << 0 << 10 << 2 << 3;
        QTest::newRow("minimums below the content")
            << QByteArray("a;b\nc") << 0 << 1 << 1 << 2 << 2;
        QTest::newRow("rewritten fields")
            << QByteArray("!x;a;!yy\n!;b\nc;!zzz;d") << 1 << 0 << 0 << 3 << 4;
        QTest::newRow("nothing") << QByteArray() << 2 << 1 << 0 << 1 << 2;
    }
    void builder()
    {
        QFETCH(QByteArray, lines);
        QFETCH(int, firstRow);
        QFETCH(int, minCols);
        QFETCH(int, minRows);
        QFETCH(int, cols);
        QFETCH(int, rows);
        // Long enough to live on the heap, so the adopted bytes stay where they are.
        lines.prepend(QByteArray(40, '#') + "\n");
        const char* bufferData = nullptr;
        size_t bufferSize = 0;
        CellTable table =
            buildFromLines(lines, firstRow, minCols, minRows, &bufferData, &bufferSize);
        QCOMPARE(table.colCount(), cols);
        QCOMPARE(table.rowCount(), std::max(minRows, rows + 1)); // + the line of '#'

        QList<QByteArray> rowTexts = lines.split('\n');
        if (lines.endsWith('\n'))
            rowTexts.removeLast();
        for (int r = 0; r < table.rowCount(); ++r) {
            const int line = r < firstRow ? -1 : r - firstRow;
            QList<QByteArray> fields;
            if (line >= 0 && line < rowTexts.size() && !rowTexts[line].isEmpty())
                fields = rowTexts[line].split(';');
            for (int c = 0; c < table.colCount(); ++c) {
                const std::string_view text = table.cell(c, r);
                if (c >= fields.size()) {
                    QCOMPARE(text, std::string_view());
                    continue;
                }
                const QByteArray& field = fields[c];
                if (field.startsWith('!')) {
                    QCOMPARE(text, sv(field.mid(1)));
                } else {
                    QCOMPARE(text, sv(field));
                    // Kept in the adopted buffer, not copied.
                    QVERIFY(text.empty() || pointsInto(text, bufferData, bufferSize));
                }
            }
        }
        QCOMPARE(table.cell(0, firstRow), std::string(40, '#'));
    }

    void unendedRowIsDropped()
    {
        CellTable::Builder builder(0, "Anna;Bob;Cor;Dirk;Eva;Fenna");
        const std::string_view buffer = builder.buffer();
        builder.addField(buffer.substr(0, 4));
        builder.endRow();
        builder.addField(buffer.substr(5, 3));
        builder.addField(std::string("copied"));
        builder.addField(buffer.substr(9, 3));
        CellTable table = std::move(builder).finish(0, 0);
        QCOMPARE(table.colCount(), 1);
        QCOMPARE(table.rowCount(), 1);
        QCOMPARE(table.cell(0, 0), "Anna");
    }

    void moveColumn_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("right") << 1 << 4;
        QTest::newRow("left") << 4 << 0;
        QTest::newRow("to the end") << 0 << 5;
        QTest::newRow("neighbours") << 2 << 3;
        QTest::newRow("same") << 2 << 2;
        QTest::newRow("outside") << 2 << 6;
        QTest::newRow("negative") << -1 << 2;
    }
    void moveColumn()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        CellTable table = filled(6, 5);
        table.setCell(2, 3, std::string(300, 'x')); // a text of the overflow arena
        Model expected = modelOf(table);
        if (from >= 0 && to >= 0 && from < 6 && to < 6) {
            for (auto& row : expected) {
                std::string moved = row[from];
                row.erase(row.begin() + from);
                row.insert(row.begin() + to, moved);
            }
        }
        table.moveColumn(from, to);
        QCOMPARE(modelOf(table), expected);
    }

    void permuteRows_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<bool>("valid");
        QTest::newRow("reverse all") << 0 << QList<int>{5, 4, 3, 2, 1, 0} << true;
        QTest::newRow("cycle after the title") << 1 << QList<int>{2, 3, 4, 5, 1} << true;
        QTest::newRow("two cycles") << 2 << QList<int>{3, 2, 5, 4} << true;
        QTest::newRow("identity") << 1 << QList<int>{1, 2, 3} << true;
        QTest::newRow("empty") << 3 << QList<int>{} << true;
        QTest::newRow("repeated row") << 0 << QList<int>{1, 1, 0} << false;
        QTest::newRow("row outside the range") << 1 << QList<int>{0, 1, 2} << false;
        QTest::newRow("past the last row") << 4 << QList<int>{5, 6, 4} << false;
        QTest::newRow("negative first") << -1 << QList<int>{0, -1} << false;
    }
    void permuteRows()
    {
        QFETCH(int, first);
        QFETCH(QList<int>, order);
        QFETCH(bool, valid);
        CellTable table = buildFromLines("a;b;c\nd;e\nf\n;g;h\ni;j;k\nl;m;n", 0, 0, 0);
        table.setCell(1, 2, "written later");
        const Model before = modelOf(table);
        Model expected = before;
        if (valid)
            for (qsizetype i = 0; i < order.size(); ++i)
                expected[first + i] = before[order[i]];
        table.permuteRows(first, std::vector<int>(order.begin(), order.end()));
        QCOMPARE(modelOf(table), expected);
    }

    void clearAndOutside()
    {
        CellTable table = buildFromLines("a;b\nc;d", 0, 0, 0);
        table.setCell(0, 0, "longer than before");
        table.clearCells();
        QCOMPARE(table.colCount(), 2);
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(modelOf(table), Model(2, std::vector<std::string>(2)));
        QVERIFY(table.memoryUsage() <= 4 * sizeof(uint64_t));
        table.setCell(1, 1, "again");
        QCOMPARE(table.cell(1, 1), "again");

        for (auto [c, r] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {INT_MAX, INT_MAX}}) {
            table.setCell(c, r, "outside");
            QCOMPARE(table.cell(c, r), std::string_view());
        }
        QCOMPARE(modelOf(table), (Model{{"", ""}, {"", "again"}}));
        const CellTable none;
        QCOMPARE(none.cell(0, 0), std::string_view());
    }

    void copiesAndMoves()
    {
        CellTable table = buildFromLines("Anna;Bob\nCor;Dirk", 0, 0, 0);
        table.setCell(0, 1, "Cornelis");
        CellTable copy = table;
        copy.setCell(0, 0, "Anna\xA0");
        copy.setCell(0, 1, "Cor");
        QCOMPARE(modelOf(table), (Model{{"Anna", "Bob"}, {"Cornelis", "Dirk"}}));
        QCOMPARE(modelOf(copy), (Model{{"Anna\xA0", "Bob"}, {"Cor", "Dirk"}}));
        CellTable moved = std::move(copy);
        QCOMPARE(moved.cell(0, 0), "Anna\xA0");
        QCOMPARE(copy.rowCount(), 0); // NOLINT: the moved-from table is empty
        QCOMPARE(copy.cell(0, 0), std::string_view());
        copy = table;
        QCOMPARE(modelOf(copy), modelOf(table));
    }

    void largeTexts()
    {
        const size_t size = 24 << 20;
        std::string big(size, 'n');
        big[size / 2] = '\0';
        big.back() = 'z';
        // One line of the whole buffer as one cell.
        CellTable::Builder builder(0, big);
        builder.addField(builder.buffer());
        builder.endRow();
        CellTable table = std::move(builder).finish(2, 2);
        QCOMPARE(table.cell(0, 0).size(), size);
        QVERIFY(table.cell(0, 0) == big);
        // At the end of the buffer there is no spare byte: marking copies, unmarking stays.
        table.setCell(0, 0, big + '\xA0');
        QVERIFY(table.cell(0, 0) == big + '\xA0');
        table.setCell(0, 0, table.cell(0, 0).substr(0, size));
        QVERIFY(table.cell(0, 0) == big);
        table.setCell(1, 1, big);
        table.setCell(1, 1, table.cell(1, 1).substr(1));
        QVERIFY(table.cell(1, 1) == std::string_view(big).substr(1));
        QVERIFY(table.memoryUsage() < 4 * size);
    }

    void memoryUsage()
    {
        constexpr int kCols = 8;
        constexpr int kRows = 20000;
        std::string lines;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                lines += label(c, r) + (c + 1 < kCols ? ';' : '\n');
        const size_t cells = size_t(kCols) * kRows;
        CellTable table = buildFromLines(QByteArray::fromStdString(lines), 0, 0, 0);
        const size_t built = table.memoryUsage();
        // The file's bytes and a handle per cell.
        QVERIFY2(built <= lines.size() + 8 * cells + 1024, std::to_string(built).c_str());
        QVERIFY(built >= lines.size() + 8 * cells);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                table.setCell(c, r, std::string(table.cell(c, r)) + '\xA0');
        QCOMPARE(table.memoryUsage(), built);

        // Texts replaced over and over: the garbage is collected.
        std::mt19937 random(7);
        for (int round = 0; round < 20; ++round)
            for (int i = 0; i < 20000; ++i)
                table.setCell(static_cast<int>(random() % kCols),
                              static_cast<int>(random() % kRows),
                              std::string(20 + random() % 40, 'q'));
        size_t live = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                live += table.cell(c, r).size() + 1;
        QVERIFY2(table.memoryUsage() <= 3 * live + 8 * cells + 8 * cells + 200000,
                 std::to_string(table.memoryUsage()).c_str());

        const std::string kept(table.cell(1, 1));
        table.resize(2, 2);
        QVERIFY2(table.memoryUsage() < 200000, std::to_string(table.memoryUsage()).c_str());
        QCOMPARE(table.cell(1, 1), kept);
    }

    // Random operations against the simple model.
    void differential()
    {
        std::mt19937 random(20261210);
        auto pick = [&](int n) {
            return n > 0 ? static_cast<int>(random() % n) : 0;
        };
        auto someText = [&]() {
            // Now and then a long one, so that garbage piles up and is collected.
            const int length = pick(20) == 0  ? 1000 + pick(20000)
                               : pick(4) == 0 ? pick(200)
                                              : pick(8);
            std::string text(static_cast<size_t>(length), '\0');
            for (char& ch : text)
                ch = static_cast<char>(pick(4) == 0 ? pick(256) : 'a' + pick(3));
            return text;
        };
        for (int run = 0; run < 30; ++run) {
            // A built table to start with.
            std::string lines;
            const int lineCount = pick(12);
            for (int l = 0; l < lineCount; ++l) {
                const int fields = pick(6);
                for (int f = 0; f < fields; ++f) {
                    std::string text = someText();
                    std::replace(text.begin(), text.end(), ';', 'x');
                    std::replace(text.begin(), text.end(), '\n', 'y');
                    if (pick(5) == 0)
                        text.insert(0, "!");
                    lines += text + (f + 1 < fields ? ";" : "");
                }
                lines += '\n';
            }
            const int firstRow = pick(3);
            CellTable table =
                buildFromLines(QByteArray::fromStdString(lines), firstRow, pick(4), pick(8));
            Model model = modelOf(table);
            for (int step = 0; step < 400; ++step) {
                const int rows = static_cast<int>(model.size());
                const int cols = rows ? static_cast<int>(model[0].size()) : table.colCount();
                const int c = pick(cols + 1) - (pick(20) == 0 ? 1 : 0);
                const int r = pick(rows + 1) - (pick(20) == 0 ? 1 : 0);
                const bool inside = c >= 0 && r >= 0 && c < cols && r < rows;
                switch (pick(10)) {
                case 0:
                case 1: { // mark
                    const std::string text = std::string(table.cell(c, r)) + '\xA0';
                    table.setCell(c, r, text);
                    if (inside)
                        model[r][c] = text;
                    break;
                }
                case 2: { // unmark, or any prefix of the cell's own text
                    const std::string_view text = table.cell(c, r);
                    const std::string_view prefix = text.substr(0, pick(int(text.size()) + 1));
                    if (inside)
                        model[r][c] = std::string(prefix);
                    table.setCell(c, r, prefix);
                    break;
                }
                case 3: { // another cell's text, as a view into the table
                    const int c2 = pick(cols);
                    const int r2 = pick(rows);
                    const std::string_view text = table.cell(c2, r2);
                    if (inside)
                        model[r][c] = std::string(text);
                    table.setCell(c, r, text);
                    break;
                }
                case 4:
                case 5: {
                    const std::string text = someText();
                    table.setCell(c, r, text);
                    if (inside)
                        model[r][c] = text;
                    break;
                }
                case 6: {
                    const int newCols = pick(7);
                    const int newRows = pick(10);
                    table.resize(newCols, newRows);
                    model.resize(static_cast<size_t>(newRows));
                    for (auto& row : model)
                        row.resize(static_cast<size_t>(newCols));
                    if (newRows == 0)
                        model.clear();
                    break;
                }
                case 7: {
                    const int from = pick(cols);
                    const int to = pick(cols);
                    table.moveColumn(from, to);
                    if (cols > 0 && from != to) {
                        for (auto& row : model) {
                            std::string moved = row[from];
                            row.erase(row.begin() + from);
                            row.insert(row.begin() + to, moved);
                        }
                    }
                    break;
                }
                case 8: {
                    const int first = pick(rows + 1);
                    std::vector<int> order(static_cast<size_t>(pick(rows - first + 1)));
                    std::iota(order.begin(), order.end(), first);
                    std::shuffle(order.begin(), order.end(), random);
                    table.permuteRows(first, order);
                    const Model before = model;
                    for (size_t i = 0; i < order.size(); ++i)
                        model[first + i] = before[order[i]];
                    break;
                }
                case 9:
                    if (pick(10) == 0) {
                        table.clearCells();
                        for (auto& row : model)
                            for (auto& text : row)
                                text.clear();
                    }
                    break;
                }
                QCOMPARE(table.rowCount(), static_cast<int>(model.size()));
                if (!model.empty())
                    QCOMPARE(table.colCount(), static_cast<int>(model[0].size()));
                if (step % 10 == 0 || step == 399)
                    QCOMPARE(modelOf(table), model);
            }
            size_t live = 0;
            for (const auto& row : model)
                for (const auto& text : row)
                    live += text.size() + 1;
            const size_t cells = size_t(table.colCount()) * size_t(table.rowCount());
            QVERIFY2(table.memoryUsage() <= 4 * live + 16 * cells + 300000,
                     std::to_string(table.memoryUsage()).c_str());
        }
    }
};

QTEST_APPLESS_MAIN(TestCellTableStorage)
#include "tst_celltable_storage.moc"
