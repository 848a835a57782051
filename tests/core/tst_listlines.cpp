#include "core/ListLines.h"

#include <QTest>
#include <set>
#include <utility>

using Table = QList<QByteArrayList>; // rows of cells, row 0 the titles

class TestListLines : public QObject {
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<QByteArrayList>("lines");

        const QByteArrayList titles{"Groep\xA0", "Voornaam\xA0", "Tussenvoegsel\xA0",
                                    "Achternaam\xA0"};
        QTest::newRow("sample, columns 1 to 3 marked")
            << Table{titles,
                     {"4", "Jelmar\xA0", "van der\xA0", "Vlietman\xA0"},
                     {"5", "Roosje\xA0", "de\xA0", "Brink\xA0"}}
            << QByteArrayList{"Jelmar\xA0van der\xA0Vlietman\xA0", "Roosje\xA0"
                                                                   "de\xA0"
                                                                   "Brink\xA0"};
        QTest::newRow("nothing marked")
            << Table{titles, {"4", "Jelmar", "van der", "Vlietman"}} << QByteArrayList{};
        QTest::newRow("no data rows") << Table{titles} << QByteArrayList{};
        QTest::newRow("no rows at all") << Table{} << QByteArrayList{};
        QTest::newRow("gap between marked columns")
            << Table{titles, {"4", "Jelmar\xA0", "van der", "Vlietman\xA0"}}
            << QByteArrayList{"Jelmar\xA0Vlietman\xA0"};
        QTest::newRow("marked empty cells give marker bytes only")
            << Table{titles, {"", "\xA0", "", "\xA0"}} << QByteArrayList{"\xA0\xA0"};
        QTest::newRow("row without marks gives no line")
            << Table{titles, {"a\xA0"}, {"b", "c"}, {"", "d\xA0"}}
            << QByteArrayList{"a\xA0", "d\xA0"};
        QTest::newRow("each row its own shape")
            << Table{titles, {"4\xA0", "Jelmar"}, {"5", "Roosje\xA0", "de\xA0"}}
            << QByteArrayList{"4\xA0", "Roosje\xA0"
                                       "de\xA0"};
        QTest::newRow("marker inside a text is no mark") << Table{titles,
                                                                  {"van\xA0"
                                                                   "der",
                                                                   "Jan\xA0"}}
                                                         << QByteArrayList{"Jan\xA0"};
        QTest::newRow("blanks and CR LF kept") << Table{titles, {" Jan \xA0", "de\r\nVries\xA0"}}
                                               << QByteArrayList{" Jan \xA0"
                                                                 "de\r\nVries\xA0"};
        QTest::newRow("ragged: a column count wider than a row")
            << Table{{"t"}, {"a\xA0"}, {"", "", "", "z\xA0"}} << QByteArrayList{"a\xA0", "z\xA0"};
    }

    void lines()
    {
        QFETCH(Table, table);
        QFETCH(QByteArrayList, lines);

        int colCount = 0;
        for (const QByteArrayList& row : table)
            colCount = std::max(colCount, static_cast<int>(row.size()));
        std::set<std::pair<int, int>> read;
        const auto cell = [&](int col, int row) -> std::string_view {
            read.insert({col, row});
            if (row < 0 || row >= table.size() || col < 0 || col >= table.at(row).size())
                return {};
            const QByteArray& text = table.at(row).at(col);
            return {text.constData(), static_cast<size_t>(text.size())};
        };

        const std::vector<std::string> result =
            core::listLines(static_cast<int>(table.size()), colCount, cell);
        QByteArrayList got;
        for (const std::string& line : result)
            got << QByteArray::fromStdString(line);
        QCOMPARE(got, lines);

        // The title row is never read, and nothing outside the table is.
        for (const auto& [col, row] : read) {
            QVERIFY(row >= 1 && row < table.size());
            QVERIFY(col >= 0 && col < colCount);
        }
    }
};

QTEST_APPLESS_MAIN(TestListLines)
#include "tst_listlines.moc"
