#include "core/NaturalOrder.h"

#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

class TestNaturalOrder : public QObject {
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("numbers by value") << QByteArray("9") << QByteArray("10") << -1;
        QTest::newRow("numbers inside text")
            << QByteArray("groep 9") << QByteArray("groep 10") << -1;
        QTest::newRow("leading zeros") << QByteArray("007") << QByteArray("7") << 0;
        QTest::newRow("case") << QByteArray("de Vries") << QByteArray("De vries") << 0;
        QTest::newRow("letters") << QByteArray("Brink") << QByteArray("Vlietman") << -1;
        QTest::newRow("accented capital") << QByteArray("\xC9"
                                                        "lise")
                                          << QByteArray("\xE9"
                                                        "lise")
                                          << 0;
        QTest::newRow("prefix first") << QByteArray("Jan") << QByteArray("Jansen") << -1;
        QTest::newRow("empty first") << QByteArray() << QByteArray("a") << -1;
        QTest::newRow("digits before letters") << QByteArray("5a") << QByteArray("a5") << -1;
        QTest::newRow("long numbers")
            << QByteArray("123456789012345678901") << QByteArray("99") << 1;
        QTest::newRow("marker counts as a byte")
            << QByteArray("Jelmar\xA0") << QByteArray("Jelmar") << 1;
    }

    void compare()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, sign);
        const std::string_view va(a.constData(), static_cast<size_t>(a.size()));
        const std::string_view vb(b.constData(), static_cast<size_t>(b.size()));
        const auto signOf = [](int v) {
            return (v > 0) - (v < 0);
        };
        QCOMPARE(signOf(core::naturalCompare(va, vb)), sign);
        QCOMPARE(signOf(core::naturalCompare(vb, va)), -sign);
    }

    void sortsGroupsAsATeacherCounts()
    {
        std::vector<std::string> groups = {"groep 10", "Groep 2", "groep 1", "groep 9", "groep 1"};
        std::stable_sort(groups.begin(), groups.end(), core::naturalLess);
        const std::vector<std::string> expected = {"groep 1", "groep 1", "Groep 2", "groep 9",
                                                   "groep 10"};
        QVERIFY(groups == expected);
    }
};

QTEST_APPLESS_MAIN(TestNaturalOrder)
#include "tst_naturalorder.moc"
