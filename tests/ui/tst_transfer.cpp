#include "ListFixture.h"
#include "controls/SystemColors.h"

#include <QTest>

using namespace listfixture;

class TestTransfer : public QObject {
    Q_OBJECT

private:
    void transfer() { fMain->tbNaarmemo->click(); }

private slots:
    void init()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
    }
    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
    }

    void sampleTransfer()
    {
        QCOMPARE(listOf(*fMain), placeholder());
        QCOMPARE(fMain->Memo->color(), syscolors::window());
        setMarks(*fMain, sampleNames());
        transfer();
        QCOMPARE(listOf(*fMain), sampleList());
        QCOMPARE(listOf(*fMain).size(), 44);
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());

        // Again without changing the marks: the same list, still yellow; the grid untouched.
        transfer();
        QCOMPARE(listOf(*fMain), sampleList());
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());
        QCOMPARE(fMain->Grid->getCellEx(1, 1), std::string_view("Jelmar\xA0"));
        QCOMPARE(fMain->Grid->getCellEx(0, 1), std::string_view("4"));
        QCOMPARE(fMain->Grid->getCellEx(1, 0), std::string_view("Voornaam"));
    }

    // The list is replaced on every click; the colour turns yellow only when a line was added.
    void listAndColour_data()
    {
        QTest::addColumn<QList<QPoint>>("marks");
        QTest::addColumn<bool>("startYellow");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<bool>("yellow");
        QTest::newRow("nothing marked, white stays white")
            << QList<QPoint>{} << false << QByteArray() << false;
        QTest::newRow("nothing marked, yellow stays yellow")
            << QList<QPoint>{} << true << QByteArray() << true;
        QTest::newRow("gap") << QList<QPoint>{{1, 1}, {3, 1}} << false
                             << QByteArray("Jelmar\xA0Vlietman\xA0\r\n") << true;
        QTest::newRow("first row without marks gives no blank line")
            << QList<QPoint>{{3, 2}, {0, 2}} << false
            << QByteArray("5\xA0"
                          "Brink\xA0\r\n")
            << true;
    }
    void listAndColour()
    {
        QFETCH(QList<QPoint>, marks);
        QFETCH(bool, startYellow);
        QFETCH(QByteArray, list);
        QFETCH(bool, yellow);
        fMain->Memo->setColor(startYellow ? syscolors::yellow() : syscolors::window());
        setMarks(*fMain, marks);
        transfer();
        QCOMPARE(listOf(*fMain), list);
        QCOMPARE(fMain->Memo->color(), yellow ? syscolors::yellow() : syscolors::window());
    }

    // Texts as they are: blanks, CR LF, a 0xA0 inside, marked empty cells, titles.
    void cellTextsUnchanged()
    {
        StringGrid* grid = fMain->Grid;
        grid->setCellEx(1, 0, "Voornaam\xA0");
        grid->setCellEx(1, 1, " Jan \xA0");
        grid->setCellEx(2, 1,
                        "van\xA0"
                        "der");
        grid->setCellEx(3, 1, "de\r\nVries\xA0");
        grid->setCellEx(0, 2, "\xA0");
        grid->setCellEx(1, 2, "\xA0");
        grid->setCellEx(0, 1, "4");
        grid->setCellEx(2, 2, "de");
        grid->setCellEx(3, 2, "Brink");
        transfer();
        QCOMPARE(listOf(*fMain), QByteArray(" Jan \xA0"
                                            "de\r\nVries\xA0\r\n\xA0\xA0\r\n"));
        QCOMPARE(fMain->Memo->document()->blockCount(), 4); // the CR LF shows as a line break
    }

    // Whatever the list held, edits included, a transfer replaces it.
    void replacesEditedList()
    {
        fMain->Memo->setFocus();
        QTest::keyClicks(fMain->Memo, "extra");
        setMarks(*fMain, {{1, 2}});
        transfer();
        QCOMPARE(listOf(*fMain), QByteArray("Roosje\xA0\r\n"));
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
