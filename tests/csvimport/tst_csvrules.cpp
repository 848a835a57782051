#include "core/Errors.h"
#include "csvimport/rules/Fields.h"
#include "csvimport/rules/FileRead.h"
#include "csvimport/rules/Lines.h"
#include "csvimport/rules/Separator.h"
#include "csvimport/rules/Table.h"
#include "tests/TestBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Rows = QList<QByteArrayList>;
Q_DECLARE_METATYPE(Rows)

namespace {

std::string str(const QByteArray& a)
{
    return std::string(a.constData(), static_cast<size_t>(a.size()));
}

// The rows of a table from firstRow on, each as its cells up to the last column.
Rows rowsOf(const core::CellTable& table, int firstRow = 0)
{
    Rows rows;
    for (int r = firstRow; r < table.rowCount(); ++r) {
        QByteArrayList cells;
        for (int c = 0; c < table.colCount(); ++c)
            cells << bytes(table.cell(c, r));
        rows << cells;
    }
    return rows;
}

QByteArrayList cutLine(const QByteArray& line, std::optional<char> sep)
{
    std::string buffer = str(line);
    QByteArrayList fields;
    csv::FieldCutter cutter;
    cutter.cut(buffer.data(), buffer.data() + buffer.size(), sep,
               [&](std::string_view field) { fields << bytes(field); });
    return fields;
}

} // namespace

class TestCsvRules : public QObject {
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb") << QByteArrayList{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArrayList{"a", "b"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("final CR LF adds no line") << QByteArray("a\r\n") << QByteArrayList{"a"};
        QTest::newRow("final CR adds no line") << QByteArray("a\r") << QByteArrayList{"a"};
        QTest::newRow("empty line between ends")
            << QByteArray("a\r\n\r\nb\n") << QByteArrayList{"a", "", "b"};
        QTest::newRow("only a line end") << QByteArray("\n") << QByteArrayList{""};
        QTest::newRow("two line ends") << QByteArray("\n\n") << QByteArrayList{"", ""};
        QTest::newRow("no bytes") << QByteArray() << QByteArrayList{};
        QTest::newRow("mixed ends")
            << QByteArray("a\nb\r\nc\rd") << QByteArrayList{"a", "b", "c", "d"};
    }

    void lines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, lines);
        csv::LineReader reader(std::string_view(text.constData(), text.size()));
        QByteArrayList got;
        std::string_view line;
        while (reader.next(line))
            got << bytes(line);
        QCOMPARE(got, lines);
    }

    void fixedLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArrayList{"a", "b"};
        QTest::newRow("lone LF is a byte")
            << QByteArray("a\nb\r\nc") << QByteArrayList{"a\nb", "c"};
        QTest::newRow("LF before CR is a byte")
            << QByteArray("a\n\rb") << QByteArrayList{"a\n", "b"};
        QTest::newRow("final CR LF adds no line") << QByteArray("a\r\n") << QByteArrayList{"a"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx") << QByteArrayList{"", "", "x"};
        QTest::newRow("0x1A ends the file")
            << QByteArray("a\r\nb\x1a\r\nc") << QByteArrayList{"a", "b"};
        QTest::newRow("NUL is a byte") << QByteArray("a\0b", 3) << QByteArrayList{{"a\0b", 3}};
    }

    void fixedLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, lines);
        csv::FixedLineReader reader(
            csv::textBeforeEof(std::string_view(text.constData(), text.size())));
        QByteArrayList got;
        std::string_view line;
        while (reader.next(line))
            got << bytes(line);
        QCOMPARE(got, lines);
    }

    void runCount_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("plain");
        QTest::newRow("none") << QByteArray("abc") << 0 << 0;
        QTest::newRow("single") << QByteArray("a;b") << 1 << 1;
        QTest::newRow("even run followed") << QByteArray("a;;b") << 0 << 2;
        QTest::newRow("odd run followed") << QByteArray("a;;;b") << 1 << 3;
        QTest::newRow("run ending the line") << QByteArray("a;;") << 1 << 2;
        QTest::newRow("only separators") << QByteArray(";;;;") << 1 << 4;
        QTest::newRow("mixed") << QByteArray(";a;;b;") << 2 << 4;
    }

    void runCount()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, runs);
        QFETCH(int, plain);
        const std::string_view text(line.constData(), line.size());
        QCOMPARE(csv::runCount(text, ';'), runs);
        QCOMPARE(csv::plainCount(text, ';'), plain);
    }

    void chooseSeparator_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QByteArray>("separator"); // empty: none
        QTest::newRow("titles and a row with an empty field")
            << QByteArray("Groep;Voornaam;Tussenvoegsel;Achternaam") << QByteArray("7;Jan;;Jansen")
            << QByteArray(";");
        QTest::newRow("runs equal: tie goes to the earlier")
            << QByteArray("a;b,c") << QByteArray("d;e,f") << QByteArray(",");
        QTest::newRow("largest equal run count")
            << QByteArray("a;b;c,d") << QByteArray("e;f;g,h") << QByteArray(";");
        QTest::newRow("run count before plain count")
            << QByteArray("a;b;;c,d,e") << QByteArray("f;g;h,i") << QByteArray(";");
        QTest::newRow("plain counts when runs differ")
            << QByteArray("a,,b") << QByteArray("c,d,e") << QByteArray(",");
        QTest::newRow("a run ending the line counts one")
            << QByteArray("x;y,,") << QByteArray("z;w,") << QByteArray(",");
        QTest::newRow("largest plain count in either line")
            << QByteArray("a;b") << QByteArray("c|d|e") << QByteArray("|");
        QTest::newRow("one line file") << QByteArray("a#b#c") << QByteArray() << QByteArray("#");
        QTest::newRow("tab") << QByteArray("a\tb\tc") << QByteArray("d\te\tf") << QByteArray("\t");
        QTest::newRow("later candidates")
            << QByteArray("a&b") << QByteArray("c&d") << QByteArray("&");
        QTest::newRow("no candidate") << QByteArray("abc") << QByteArray("d e") << QByteArray();
        QTest::newRow("underscore is no candidate")
            << QByteArray("a_b") << QByteArray("c_d") << QByteArray();
    }

    void chooseSeparator()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QByteArray, separator);
        const std::optional<char> sep =
            csv::chooseSeparator(std::string_view(first.constData(), first.size()),
                                 std::string_view(second.constData(), second.size()));
        QCOMPARE(sep ? QByteArray(1, *sep) : QByteArray(), separator);
    }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("separator"); // empty: none
        QTest::addColumn<QByteArrayList>("fields");
        QTest::newRow("empty third field") << QByteArray("7;Jan;;Jansen") << QByteArray(";")
                                           << QByteArrayList{"7", "Jan", "", "Jansen"};
        QTest::newRow("quoted field with the separator")
            << QByteArray("\"Jansen, Jan\",7") << QByteArray(",")
            << QByteArrayList{"Jansen, Jan", "7"};
        QTest::newRow("ends with the separator")
            << QByteArray("a;b;") << QByteArray(";") << QByteArrayList{"a", "b"};
        QTest::newRow("only a separator")
            << QByteArray(";") << QByteArray(";") << QByteArrayList{""};
        QTest::newRow("empty line") << QByteArray() << QByteArray(";") << QByteArrayList{};
        QTest::newRow("no separator in the line")
            << QByteArray("abc") << QByteArray(";") << QByteArrayList{"abc"};
        QTest::newRow("doubled quote inside quotes")
            << QByteArray("\"a\"\"b\",c") << QByteArray(",") << QByteArrayList{"a\"b", "c"};
        QTest::newRow("lone quote in unquoted field")
            << QByteArray("a\"b;c") << QByteArray(";") << QByteArrayList{"ab", "c"};
        QTest::newRow("doubled quote in unquoted field")
            << QByteArray("a\"\"b;c") << QByteArray(";") << QByteArrayList{"a\"b", "c"};
        QTest::newRow("tripled quote in unquoted field")
            << QByteArray("a\"\"\"b;c") << QByteArray(";") << QByteArrayList{"a\"b", "c"};
        QTest::newRow("text after closing quote dropped")
            << QByteArray("\"a\"xy;b") << QByteArray(";") << QByteArrayList{"a", "b"};
        QTest::newRow("text after closing quote without separator")
            << QByteArray("x;\"a\"b;") << QByteArray(";") << QByteArrayList{"x", "a"};
        QTest::newRow("no closing quote")
            << QByteArray("\"a;b;c") << QByteArray(";") << QByteArrayList{"", "b", "c"};
        QTest::newRow("even run skipped")
            << QByteArray("\"a\"\";b\";c") << QByteArray(";") << QByteArrayList{"a\";b", "c"};
        QTest::newRow("odd run of three closes")
            << QByteArray("\"a\"\"\";b") << QByteArray(";") << QByteArrayList{"a\"", "b"};
        QTest::newRow("final quote closes")
            << QByteArray("\"a;b\"") << QByteArray(";") << QByteArrayList{"a;b"};
        QTest::newRow("final quote after an even run")
            << QByteArray("\"a;b\"\"\"") << QByteArray(";") << QByteArrayList{"a;b\""};
        QTest::newRow("quote not first is no quoting")
            << QByteArray(" \"a;b\"") << QByteArray(";") << QByteArrayList{" a", "b"};
        QTest::newRow("quoted last field")
            << QByteArray("x;\"he said \"\"hi\"\"\"") << QByteArray(";")
            << QByteArrayList{"x", "he said \"hi\""};
        QTest::newRow("last field: start quote only")
            << QByteArray("x;\"a\"b") << QByteArray(";") << QByteArrayList{"x", "ab"};
        QTest::newRow("last field: lone quote")
            << QByteArray("x;\"") << QByteArray(";") << QByteArrayList{"x", ""};
        QTest::newRow("0x0B becomes CR LF")
            << QByteArray("a\x0b"
                          "b;\"c\x0b\"\"\";d")
            << QByteArray(";") << QByteArrayList{"a\r\nb", "c\r\n\"", "d"};
        QTest::newRow("0xA0 stays")
            << QByteArray("Jan\xa0;x") << QByteArray(";") << QByteArrayList{"Jan\xa0", "x"};
        QTest::newRow("byte-order mark stays") << QByteArray("\xef\xbb\xbf"
                                                             "a;b")
                                               << QByteArray(";")
                                               << QByteArrayList{"\xef\xbb\xbf"
                                                                 "a",
                                                                 "b"};
        QTest::newRow("no separator: whole line")
            << QByteArray("\"a,b\"\"c\"") << QByteArray() << QByteArrayList{"a,b\"c"};
        QTest::newRow("no separator: inner quote removed")
            << QByteArray("x\"y") << QByteArray() << QByteArrayList{"xy"};
        QTest::newRow("tab") << QByteArray("a\tb") << QByteArray("\t") << QByteArrayList{"a", "b"};
        QTest::newRow("quote as separator")
            << QByteArray("a\"b\"c") << QByteArray("\"") << QByteArrayList{"a", "b", "c"};
    }

    void fields()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, separator);
        QFETCH(QByteArrayList, fields);
        std::optional<char> sep;
        if (!separator.isEmpty())
            sep = separator[0];
        QCOMPARE(cutLine(line, sep), fields);
    }

    void fixedParts_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QList<int>>("splits");
        QTest::addColumn<bool>("trim");
        QTest::addColumn<QByteArrayList>("parts");
        QTest::newRow("two splits") << QByteArray("abcdef") << QList<int>{2, 4} << false
                                    << QByteArrayList{"ab", "cd", "ef"};
        QTest::newRow("line too short")
            << QByteArray("abc") << QList<int>{2, 5} << false << QByteArrayList{"ab", "c", ""};
        QTest::newRow("no split") << QByteArray(" abc ") << QList<int>{} << false
                                  << QByteArrayList{" abc "};
        QTest::newRow("no split, trimmed")
            << QByteArray(" \tabc \x01") << QList<int>{} << true << QByteArrayList{"abc"};
        QTest::newRow("trimmed parts")
            << QByteArray(" a  b c ") << QList<int>{3} << true << QByteArrayList{"a", "b c"};
        QTest::newRow("inner spaces stay")
            << QByteArray("a b") << QList<int>{} << true << QByteArrayList{"a b"};
        QTest::newRow("0xA0 is no space")
            << QByteArray("\xa0x\xa0") << QList<int>{} << true << QByteArrayList{"\xa0x\xa0"};
    }

    void fixedParts()
    {
        QFETCH(QByteArray, line);
        QFETCH(QList<int>, splits);
        QFETCH(bool, trim);
        QFETCH(QByteArrayList, parts);
        QByteArrayList got;
        csv::cutFixed(std::string_view(line.constData(), line.size()),
                      std::vector<int>(splits.begin(), splits.end()), trim,
                      [&](std::string_view part) { got << bytes(part); });
        QCOMPARE(got, parts);
    }

    // The table the grid receives, for the choices of the settings dialog.
    void table_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QByteArray>("separator"); // empty: automatic
        QTest::addColumn<QList<int>>("splits");
        QTest::addColumn<bool>("titlesOnTop");
        QTest::addColumn<int>("minRows");
        QTest::addColumn<Rows>("rows");

        QTest::newRow("titles on top")
            << QByteArray("G;V;A\r\n7;Jan;Jansen\r\n") << false << QByteArray() << QList<int>{}
            << true << 2 << Rows{{"G", "V", "A"}, {"7", "Jan", "Jansen"}};
        QTest::newRow("titles as data")
            << QByteArray("G;V;A\r\n7;Jan;Jansen\r\n") << false << QByteArray() << QList<int>{}
            << false << 2 << Rows{{"", "", ""}, {"G", "V", "A"}, {"7", "Jan", "Jansen"}};
        QTest::newRow("ragged lines and an empty line")
            << QByteArray("a;b\n\na;b;c;\nd") << false << QByteArray() << QList<int>{} << false << 2
            << Rows{{"", "", ""}, {"a", "b", ""}, {"", "", ""}, {"a", "b", "c"}, {"d", "", ""}};
        QTest::newRow("one line, titles on top keeps a data row")
            << QByteArray("a,b") << false << QByteArray() << QList<int>{} << true << 2
            << Rows{{"a", "b"}, {"", ""}};
        QTest::newRow("one line, titles as data")
            << QByteArray("a,b") << false << QByteArray() << QList<int>{} << false << 2
            << Rows{{"", ""}, {"a", "b"}};
        QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << false << QByteArray()
                                           << QList<int>{} << true << 0 << Rows{{"a"}, {"b"}};
        QTest::newRow("no candidate: whole lines")
            << QByteArray("\"Jan \"\"J\"\" de\"\nPiet_Klaas") << false << QByteArray()
            << QList<int>{} << true << 0 << Rows{{"Jan \"J\" de"}, {"Piet_Klaas"}};
        QTest::newRow("chosen separator, not the automatic one")
            << QByteArray("a_b;c\nd_e;f") << false << QByteArray("_") << QList<int>{} << true << 0
            << Rows{{"a", "b;c"}, {"d", "e;f"}};
        QTest::newRow("automatic from the first two lines only")
            << QByteArray("a;b\nc;d\ne,f,g") << false << QByteArray() << QList<int>{} << true << 0
            << Rows{{"a", "b"}, {"c", "d"}, {"e,f,g", ""}};
        QTest::newRow("fixed: trimmed, rows never lowered")
            << QByteArray(" ab  cd\r\nxyz\r\n\x1a"
                          "junk")
            << true << QByteArray() << QList<int>{4} << false << 5
            << Rows{{"", ""}, {"ab", "cd"}, {"xyz", ""}, {"", ""}, {"", ""}};
        QTest::newRow("fixed: splits in any order")
            << QByteArray("abcdef") << true << QByteArray() << QList<int>{4, 2, 2} << true << 0
            << Rows{{"ab", "cd", "ef"}};
        QTest::newRow("fixed: no split, LF is a byte")
            << QByteArray("  a\nb  \r\nc") << true << QByteArray() << QList<int>{} << true << 0
            << Rows{{"a\nb"}, {"c"}};
    }

    void table()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fixed);
        QFETCH(QByteArray, separator);
        QFETCH(QList<int>, splits);
        QFETCH(bool, titlesOnTop);
        QFETCH(int, minRows);
        QFETCH(Rows, rows);
        csv::ImportChoices choices;
        choices.fixedWidth = fixed;
        choices.automatic = separator.isEmpty();
        if (!separator.isEmpty())
            choices.separator = separator[0];
        choices.splits.assign(splits.begin(), splits.end());
        choices.titlesOnTop = titlesOnTop;
        const core::CellTable table = csv::buildTable(str(file), choices, minRows);
        QCOMPARE(rowsOf(table), rows);
    }

    void emptyFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("no bytes") << QByteArray() << false;
        QTest::newRow("NUL first") << QByteArray("\0a;b\r\n", 6) << false;
        QTest::newRow("UTF-16") << QByteArray("\xff\xfe"
                                              "a\0;\0",
                                              6)
                                << false;
        QTest::newRow("fixed: no bytes") << QByteArray() << true;
        QTest::newRow("fixed: 0x1A first") << QByteArray("\x1a"
                                                         "abc")
                                           << true;
    }

    // A file that yields no line is a failure, not an empty table.
    void emptyFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fixed);
        csv::ImportChoices choices;
        choices.fixedWidth = fixed;
        if (QTest::currentDataTag() == QByteArray("UTF-16")) {
            // Two bytes before the first NUL reach the grid.
            const core::CellTable table = csv::buildTable(str(file), choices, 0);
            QCOMPARE(table.cell(0, 1), std::string_view("\xff\xfe"
                                                        "a"));
            return;
        }
        QVERIFY_THROWS_EXCEPTION(core::Error, csv::buildTable(str(file), choices, 0));
        try {
            csv::buildTable(str(file), choices, 0);
        } catch (const core::Error& e) {
            QCOMPARE(QByteArray(e.what()), QByteArray("File is empty"));
        }
        if (!fixed)
            QVERIFY(!csv::hasLine(str(file)));
    }

    void preview()
    {
        QByteArray file;
        for (int i = 0; i < 15; ++i)
            file += "r" + QByteArray::number(i) + ";x;y\r\n";
        csv::ImportChoices choices;
        core::CellTable table = csv::buildPreview(str(file), choices);
        QCOMPARE(table.rowCount(), 10);
        QCOMPARE(table.colCount(), 3);
        QCOMPARE(table.cell(0, 0), "r0");
        QCOMPARE(table.cell(0, 9), "r9");

        // Fixed-width parts in the preview are not trimmed.
        choices.fixedWidth = true;
        choices.splits = {1};
        table = csv::buildPreview(" a b\r\n", choices);
        QCOMPARE(table.colCount(), 2);
        QCOMPARE(table.cell(0, 0), " ");
        QCOMPARE(table.cell(1, 0), "a b");

        // A hostile line is shown only in part.
        choices = {};
        const std::string wide(100000, ',');
        table = csv::buildPreview(wide, choices, 10, 256, 100);
        QCOMPARE(table.colCount(), 256);
        table = csv::buildPreview(std::string(5000, 'x'), choices, 10, 256, 100);
        QCOMPARE(table.cell(0, 0).size(), size_t(100));
    }

    void longestLine()
    {
        csv::LongestLine longest;
        longest.feed("ab\r");
        longest.feed("\ncdef\nx\r\nyz");
        QCOMPARE(longest.longest, size_t(6));
        longest.feed("\x1a"
                     "0123456789");
        QCOMPARE(longest.longest, size_t(6));
        QVERIFY(longest.ended);
    }

    void files()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("klas.csv"));
        const std::string p = QFile::encodeName(path).toStdString();
        auto message = [](auto&& call) {
            try {
                call();
            } catch (const core::Error& e) {
                return QByteArray(e.what());
            }
            return QByteArray("no failure");
        };
        QCOMPARE(message([&] { csv::readWholeFile(p, csv::OpenFailure::CannotOpen); }),
                 bytes("Cannot open file " + p));
        QCOMPARE(message([&] { csv::readWholeFile(p, csv::OpenFailure::NotFound); }),
                 bytes("File " + p + " not found"));
        QCOMPARE(message([&] { csv::readHead(p, 10, 1000); }), bytes("Cannot open file " + p));
        const std::string folder = QFile::encodeName(dir.path()).toStdString();
        QCOMPARE(message([&] { csv::readWholeFile(folder, csv::OpenFailure::CannotOpen); }),
                 bytes("Cannot open file " + folder));
        QVERIFY(message([&] { csv::longestFixedLine(p); }).contains(bytes(p)));

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray content;
        for (int i = 0; i < 100000; ++i)
            content += "abc;def\r\n";
        content += "0123456789abcdef";
        file.write(content);
        file.close();
        QCOMPARE(bytes(csv::readWholeFile(p, csv::OpenFailure::CannotOpen)), content);
        // The head holds the lines to show, not the whole file.
        const std::string head = csv::readHead(p, 10, 1 << 20);
        QVERIFY(head.size() >= 11 * 9);
        QVERIFY(head.size() < size_t(content.size()));
        QCOMPARE(csv::readHead(p, 10, 50).size(), size_t(50));
        QCOMPARE(csv::longestFixedLine(p), size_t(16));
    }
};

QTEST_APPLESS_MAIN(TestCsvRules)
#include "tst_csvrules.moc"
