#include "controls/PictureButton.h"
#include "tests/TestBytes.h"
#include "ui/TfMain.h"

#include <QApplication>
#include <QTest>

using namespace std::string_literals;

namespace {

const char* const kTable[3][4] = {
    {"Groep", "Voornaam", "Tussenvoegsel", "Achternaam"},
    {"4", "Jelmar", "van der", "Vlietman"},
    {"5", "Roosje", "de", "Brink"},
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { fMain = new TfMain; }

    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
    }

    // Right after the show handler the titles carry the marker and no data cell does.
    void sampleTableAfterFormShow()
    {
        fMain->FormShow();
        QCOMPARE(fMain->Grid->colCount(), 4);
        QCOMPARE(fMain->Grid->rowCount(), 3);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                const QByteArray expected = QByteArray(kTable[r][c]) + (r == 0 ? "\xA0" : "");
                QCOMPARE(bytes(fMain->Grid->getCellEx(c, r)), expected);
            }
        }
        QCOMPARE(fMain->Grid->width(), 467);
    }

    // Once painted, the titles are plain and the current cell (0, 1) is marked.
    void firstShowing()
    {
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        QTRY_COMPARE(bytes(fMain->Grid->getCellEx(0, 1)), QByteArray("4\xA0"));
        for (int c = 0; c < 4; ++c)
            QTRY_COMPARE(bytes(fMain->Grid->getCellEx(c, 0)), QByteArray(kTable[0][c]));
        QCOMPARE(bytes(fMain->Grid->getCellEx(1, 1)), QByteArray("Jelmar"));

        QCOMPARE(fMain->windowTitle(), QStringLiteral("Pluvana"));
        QCOMPARE(fMain->size(), QSize(919, 620));
        QCOMPARE(fMain->Grid->width(), 467);
        QCOMPARE(bytes(fMain->Memo->text()),
                 QByteArray("Hier komen de leerlingennamen te \r\nstaan.\r\n"
                            "Op elke regel \xE9\xE9n naam.\r\n"));
        QCOMPARE(fMain->Memo->text().size(), size_t(68));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(fMain->mToelichting));
        QVERIFY(fMain->mToelichting->isReadOnly());
        QVERIFY(!fMain->Memo->isReadOnly());
    }

    // Started maximised, the grid still gets half the normal window width.
    void startedMaximised()
    {
        fMain->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        QCOMPARE(fMain->Grid->width(), 467);
        QCOMPARE(fMain->Splitter->x(), 467);
    }

    // The aligned controls at the stored client size of 919 by 620.
    void alignedPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("top panel") << "AdvPanel1" << QRect(0, 0, 919, 100);
        QTest::newRow("bottom panel") << "pOnder" << QRect(0, 520, 919, 100);
        QTest::newRow("import button") << "tbImporteer" << QRect(1, 1, 113, 98);
        QTest::newRow("save button") << "tbBewaar" << QRect(805, 1, 113, 98);
        QTest::newRow("stop button") << "tbStop" << QRect(1, 1, 113, 98);
        QTest::newRow("grid") << "Grid" << QRect(0, 100, 467, 420);
        QTest::newRow("splitter") << "Splitter" << QRect(467, 100, 10, 420);
        QTest::newRow("list") << "Memo" << QRect(477, 100, 442, 420);
    }

    void alignedPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        auto* control = fMain->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("import") << "tbImporteer"
                                << "&Importeer"
                                << "Klik hier om een csv-bestand in te lezen...";
        QTest::newRow("transfer") << "tbNaarmemo"
                                  << "&Zet in de lijst"
                                  << "Klik hier om de selectie in een leerlingenlijst te zetten...";
        QTest::newRow("save") << "tbBewaar"
                              << "&Bewaar"
                              << "Klik hier om de leerlingenlijst op te slaan...";
        QTest::newRow("stop") << "tbStop"
                              << "&Stop"
                              << "Klik hier om dit hulpprogramma te verlaten...";
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        auto* button = fMain->findChild<PictureButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->size(), QSize(113, 98));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(button->isEnabled());
    }

    void labels()
    {
        QCOMPARE(fMain->lCSV->text(), QStringLiteral("CSV-bestand"));
        QCOMPARE(fMain->lZBR->text(), QStringLiteral("Leerlingenlijst"));
        QCOMPARE(fMain->lCSV->font().pixelSize(), 27);
        QCOMPARE(fMain->font().pixelSize(), 16);
        QCOMPARE(fMain->Grid->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(fMain->mToelichting->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(fMain->Grid->minimumWidth(), 353);
        QCOMPARE(fMain->Memo->minimumWidth(), 300);
    }

    // Alt+S closes the window whichever control has the keyboard focus.
    void altSCloses_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("instructions") << "mToelichting";
        QTest::newRow("grid") << "Grid";
        QTest::newRow("list") << "Memo";
    }

    void altSCloses()
    {
        QFETCH(QString, focus);
        fMain->show();
        QVERIFY(QTest::qWaitForWindowActive(fMain));
        auto* target = fMain->findChild<QWidget*>(focus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!fMain->isVisible());
    }

    // Alt and the underlined letter click the other buttons too.
    void accelerators()
    {
        fMain->show();
        QVERIFY(QTest::qWaitForWindowActive(fMain));
        int clicked = 0;
        connect(fMain->tbNaarmemo, &QAbstractButton::clicked, [&] { ++clicked; });
        connect(fMain->tbBewaar, &QAbstractButton::clicked, [&] { ++clicked; });
        fMain->Memo->setFocus();
        QTest::keyClick(fMain->Memo, Qt::Key_Z, Qt::AltModifier);
        QTRY_COMPARE(clicked, 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
