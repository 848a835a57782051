#pragma once

// Shared by the tests of the student list: the window and the sample table's marks.
#include "core/Marker.h"
#include "tests/TestBytes.h"
#include "ui/TfMain.h"

#include <QByteArray>
#include <QTest>
#include <string>

namespace listfixture {

inline QByteArray listOf(const TfMain& window)
{
    return QByteArray::fromStdString(window.Memo->text());
}

// Marks exactly the data cells whose (column, row) are in `marked`, unmarking all others.
// The grid brings marks in line with its selection whenever it paints, so the caller runs the
// handler before the event loop gets a chance to paint again.
inline void setMarks(TfMain& window, const QList<QPoint>& marked)
{
    StringGrid* grid = window.Grid;
    for (int row = 1; row < grid->rowCount(); ++row) {
        for (int col = 0; col < grid->colCount(); ++col) {
            const std::string plain(core::unmark(grid->getCellEx(col, row)));
            grid->setCellEx(col, row,
                            marked.contains(QPoint(col, row)) ? core::mark(plain) : plain);
        }
    }
}

// Columns 1 to 3 of both sample rows: the first name, infix and surname.
inline QList<QPoint> sampleNames()
{
    return {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}};
}

// The list of the sample transfer: 44 bytes.
inline QByteArray sampleList()
{
    return QByteArray::fromHex("4A656C6D6172A076616E20646572A0566C696574"
                               "6D616EA00D0A") +
           QByteArray("Roosje\xA0"
                      "de\xA0"
                      "Brink\xA0\r\n");
}

inline QByteArray placeholder()
{
    return "Hier komen de leerlingennamen te \r\nstaan.\r\nOp elke regel \xE9\xE9n naam.\r\n";
}

} // namespace listfixture
