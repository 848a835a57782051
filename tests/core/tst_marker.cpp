#include "core/Marker.h"

#include <QTest>

using namespace std::string_literals;

class TestMarker : public QObject {
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QByteArray>("markedText");
        QTest::addColumn<QByteArray>("unmarkedText");

        QTest::newRow("empty") << QByteArray() << false << QByteArray("\xA0") << QByteArray();
        QTest::newRow("plain") << QByteArray("Jelmar") << false << QByteArray("Jelmar\xA0")
                               << QByteArray("Jelmar");
        QTest::newRow("marked") << QByteArray("Jelmar\xA0") << true << QByteArray("Jelmar\xA0")
                                << QByteArray("Jelmar");
        QTest::newRow("marker alone")
            << QByteArray("\xA0") << true << QByteArray("\xA0") << QByteArray();
        QTest::newRow("two markers")
            << QByteArray("de\xA0\xA0") << true << QByteArray("de\xA0\xA0") << QByteArray("de\xA0");
        QTest::newRow("marker inside") << QByteArray("van\xA0"
                                                     "der")
                                       << false
                                       << QByteArray("van\xA0"
                                                     "der\xA0")
                                       << QByteArray("van\xA0"
                                                     "der");
    }

    void rules()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, marked);
        QFETCH(QByteArray, markedText);
        QFETCH(QByteArray, unmarkedText);
        const std::string_view view(text.constData(), static_cast<size_t>(text.size()));
        QCOMPARE(core::isMarked(view), marked);
        QCOMPARE(QByteArray::fromStdString(core::mark(view)), markedText);
        QCOMPARE(QByteArray::fromStdString(std::string(core::unmark(view))), unmarkedText);
    }

    void alignedMark()
    {
        QCOMPARE(core::alignedMark("Groep\xA0", true, true), "Groep\xA0"s);
        QCOMPARE(core::alignedMark("Groep\xA0", false, true), "Groep"s);
        QCOMPARE(core::alignedMark("4", true, false), "4\xA0"s);
        QCOMPARE(core::alignedMark("4\xA0", false, false), "4"s);
    }
};

QTEST_APPLESS_MAIN(TestMarker)
#include "tst_marker.moc"
