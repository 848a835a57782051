#include "cli/Converter.h"
#include "controls/StringGrid.h"
#include "csvimport/rules/FileRead.h"
#include "csvimport/rules/Table.h"
#include "tests/TestBytes.h"
#include "ui/TfMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

namespace {

// A school's export: titles, groups out of order, an empty infix, a group with a slash.
const QByteArray kExport = "Groep;Voornaam;Tussenvoegsel;Achternaam\r\n"
                           "10;Anna;;Bakker\r\n"
                           "9;Jelmar;van der;Vlietman\r\n"
                           "9;Roosje;de;Brink\r\n"
                           "5/6;\xC9lise;;Dubois\r\n";

struct Outcome {
    int status = -1;
    QByteArray out;
    QString err;
};

} // namespace

class TestConverter : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString csv_;

    Outcome run(QStringList args)
    {
        std::vector<std::string> argv;
        for (const QString& arg : args)
            argv.push_back(arg.toStdString());
        std::ostringstream out;
        std::ostringstream err;
        Outcome outcome;
        outcome.status = cli::main(argv, out, err);
        outcome.out = QByteArray::fromStdString(out.str());
        outcome.err = QString::fromStdString(err.str());
        return outcome;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        csv_ = dir_.filePath("klas.csv");
        QFile file(csv_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kExport);
    }

    // Without options every row is listed with all its columns, each cell followed by the
    // marker; the first line is an ordinary row then.
    void everyRowAllColumns()
    {
        const Outcome result = run({csv_});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.startsWith("Groep\xA0Voornaam\xA0Tussenvoegsel\xA0"
                                      "Achternaam\xA0\r\n10\xA0"
                                      "Anna\xA0\xA0"
                                      "Bakker\xA0\r\n"));
        QCOMPARE(result.out.count("\r\n"), 5);
    }

    void columnsByNumberOrTitle_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("numbers") << QStringList{"--kolommen", "2,3,4"};
        QTest::newRow("titles") << QStringList{"--kolommen", "Voornaam,Tussenvoegsel,Achternaam"};
        QTest::newRow("mixed") << QStringList{"--kolommen", "Voornaam,3,Achternaam"};
    }

    void columnsByNumberOrTitle()
    {
        QFETCH(QStringList, args);
        const Outcome result = run(QStringList{"--kolomtitels"} + args + QStringList{csv_});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QByteArray("Anna\xA0\xA0"
                                        "Bakker\xA0\r\n"
                                        "Jelmar\xA0van der\xA0Vlietman\xA0\r\n"
                                        "Roosje\xA0"
                                        "de\xA0"
                                        "Brink\xA0\r\n"
                                        "\xC9lise\xA0\xA0"
                                        "Dubois\xA0\r\n"));
    }

    void sortedAsTheGridSorts()
    {
        const Outcome result =
            run({"--kolomtitels", "--kolommen", "1,4", "--sorteer", "Groep", csv_});
        QCOMPARE(result.status, 0);
        QCOMPARE(result.out, QByteArray("5/6\xA0"
                                        "Dubois\xA0\r\n"
                                        "9\xA0Vlietman\xA0\r\n"
                                        "9\xA0"
                                        "Brink\xA0\r\n"
                                        "10\xA0"
                                        "Bakker\xA0\r\n"));
    }

    void oneListPerGroup()
    {
        const QString folder = dir_.filePath("lijsten");
        QVERIFY(QDir().mkpath(folder));
        const Outcome result = run({"--kolomtitels", "--kolommen", "2,3,4", "--per-groep", "Groep",
                                    "--map", folder, csv_});
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{"groep10.zbr", "groep5-6.zbr", "groep9.zbr"}));
        QCOMPARE(contents(folder + "/groep9.zbr"),
                 QByteArray("Jelmar\xA0van der\xA0Vlietman\xA0\r\n"
                            "Roosje\xA0"
                            "de\xA0"
                            "Brink\xA0\r\n"));
        QCOMPARE(contents(folder + "/groep5-6.zbr"), QByteArray("\xC9lise\xA0\xA0"
                                                                "Dubois\xA0\r\n"));
        // The summary comes in the groups' natural order.
        QCOMPARE(result.err, QStringLiteral("groep5-6.zbr: 1 leerling\n"
                                            "groep9.zbr: 2 leerlingen\n"
                                            "groep10.zbr: 1 leerling\n"));
    }

    void outputFile()
    {
        const QString target = dir_.filePath("groep6.zbr");
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("oude inhoud die langer is dan de nieuwe lijst\r\n");
        old.close();
        const Outcome result = run({"--kolomtitels", "--kolommen", "4", "-o", target, csv_});
        QCOMPARE(result.status, 0);
        QCOMPARE(contents(target),
                 QByteArray("Bakker\xA0\r\nVlietman\xA0\r\nBrink\xA0\r\nDubois\xA0\r\n"));
    }

    // Every failure: its exit status (1 input or output, 2 wrong use) and its message.
    // withExport: the export file is given as the last argument.
    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("withExport");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString missing = QDir::cleanPath(QDir::currentPath() + "/bestaat-niet.csv");
        QTest::newRow("missing file")
            << QStringList{"bestaat-niet.csv"} << false << 1 << "Cannot open file " + missing;
        QTest::newRow("unknown option")
            << QStringList{"--groep", "x"} << true << 2 << "Onbekende optie: --groep";
        QTest::newRow("no file") << QStringList{"--kolomtitels"} << false << 2
                                 << "Geef het CSV-bestand.";
        QTest::newRow("two files") << QStringList{"a.csv"} << true << 2 << "Geef één CSV-bestand";
        QTest::newRow("column number too large")
            << QStringList{"--kolommen", "2,9"} << true << 2 << "Kolom 9 bestaat niet";
        QTest::newRow("unknown title") << QStringList{"--kolomtitels", "--kolommen", "Klas"} << true
                                       << 2 << "Geen kolom met de titel 'Klas'.";
        QTest::newRow("title without titles") << QStringList{"--kolommen", "Voornaam"} << true << 2
                                              << "titels kunnen alleen met --kolomtitels";
        QTest::newRow("group without folder")
            << QStringList{"--per-groep", "1"} << true << 2 << "Bij --per-groep hoort --map";
        QTest::newRow("bad separator") << QStringList{"--scheidingsteken", "ab"} << true << 2
                                       << "Ongeldig scheidingsteken 'ab'";
        QTest::newRow("bad split")
            << QStringList{"--vast", "3,x"} << true << 2 << "Ongeldige knippositie 'x'";
        QTest::newRow("missing folder for -o")
            << QStringList{"-o", "/bestaat/niet/groep6.zbr"} << true << 1
            << "Cannot create file /bestaat/niet/groep6.zbr";
    }

    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, withExport);
        QFETCH(int, status);
        QFETCH(QString, message);
        if (withExport)
            args << csv_;
        const Outcome result = run(args);
        QCOMPARE(result.status, status);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }

    void emptyFileAndEmptyGroup()
    {
        const QString empty = dir_.filePath("leeg.csv");
        QFile(empty).open(QIODevice::WriteOnly);
        Outcome result = run({empty});
        QCOMPARE(result.status, 1);
        QVERIFY(result.err.contains("File is empty"));

        const QString gaps = dir_.filePath("gaten.csv");
        QFile file(gaps);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Groep;Naam\r\n4;Jelmar\r\n;Roosje\r\n");
        file.close();
        const QString folder = dir_.filePath("leeg-groep");
        QVERIFY(QDir().mkpath(folder));
        result = run({"--kolomtitels", "--per-groep", "Groep", "--map", folder, gaps});
        QCOMPARE(result.status, 1);
        QVERIFY(result.err.contains("geen waarde in de groepkolom"));
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty()); // nothing written half
    }

    // The converter gives the bytes the window program's transfer gives after all data cells
    // were selected with the mouse.
    void sameBytesAsTheWindow()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        csv::ImportChoices choices;
        fMain->Grid->setTable(csv::buildTable(
            csv::readWholeFile(csv_.toStdString(), csv::OpenFailure::CannotOpen), choices, 0));
        StringGrid* grid = fMain->Grid;
        QWidget* surface = grid->viewport();
        const int lastCol = grid->colCount() - 1;
        const int lastRow = grid->rowCount() - 1;
        QTest::mousePress(surface, Qt::LeftButton, {}, grid->cellRect(0, 1).center());
        QTest::mouseRelease(surface, Qt::LeftButton, {}, grid->cellRect(0, 1).center());
        QTest::mousePress(surface, Qt::LeftButton, Qt::ShiftModifier,
                          grid->cellRect(lastCol, lastRow).center());
        QTest::mouseRelease(surface, Qt::LeftButton, Qt::ShiftModifier,
                            grid->cellRect(lastCol, lastRow).center());
        QTRY_VERIFY(grid->getCellEx(lastCol, lastRow).ends_with('\xA0'));
        QTest::qWait(50);
        fMain->tbNaarmemoClick();
        const QByteArray window = QByteArray::fromStdString(fMain->Memo->text());
        delete fMain;
        fMain = nullptr;

        const Outcome result = run({csv_});
        QCOMPARE(result.status, 0);
        QCOMPARE(window, result.out);
    }
};

QTEST_MAIN(TestConverter)
#include "tst_converter.moc"
