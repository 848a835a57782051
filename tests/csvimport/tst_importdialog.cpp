#include "app/Application.h"
#include "controls/StringGrid.h"
#include "core/Errors.h"
#include "csvimport/GridImportDialog.h"
#include "csvimport/ImportSettingsDialog.h"
#include "csvimport/PreviewGrid.h"
#include "csvimport/SplitRuler.h"
#include "tests/TestBytes.h"
#include "ui/TfMain.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Everything of the grid that an import may change or must leave alone.
struct GridState {
    QList<QByteArrayList> cells;
    QPoint current;
    QPoint anchor;
    QList<int> widths;
    bool operator==(const GridState&) const = default;
};

GridState stateOf(const StringGrid& grid)
{
    GridState state;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QByteArrayList row;
        for (int c = 0; c < grid.colCount(); ++c)
            row << bytes(grid.getCellEx(c, r));
        state.cells << row;
    }
    for (int c = 0; c < grid.colCount(); ++c)
        state.widths << grid.colWidth(c);
    state.current = grid.currentCell();
    state.anchor = grid.anchorCell();
    return state;
}

QString withPath(const QString& message, const QString& path)
{
    return message.contains(QLatin1String("%1")) ? message.arg(path) : message;
}

QList<QByteArrayList> rowsOf(const core::CellTable& table)
{
    QList<QByteArrayList> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QByteArrayList row;
        for (int c = 0; c < table.colCount(); ++c)
            row << bytes(table.cell(c, r));
        rows << row;
    }
    return rows;
}

// Clicks a radio button or check box on its indicator, as the user would.
void clickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
}

template <typename T> T* child(QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

} // namespace

class TestImportDialog : public QObject {
    Q_OBJECT

public:
    QTemporaryDir dir;
    StringGrid* grid = nullptr;
    GridImportDialog* importer = nullptr;
    QStringList errors;

    QString write(const char* name, const QByteArray& content)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size())
            qFatal("cannot write %s", name);
        return path;
    }

    // Runs a whole import of `path`; `act` works the settings dialog once it is shown.
    bool runImport(const QString& path, std::function<void(ImportSettingsDialog*)> act)
    {
        GridImportDialog::setFileChooser([path] { return path; });
        QTimer::singleShot(0, this, [act] {
            auto* dialog = qobject_cast<ImportSettingsDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            act(dialog);
        });
        return importer->openAndExecute();
    }

    static void pressOk(ImportSettingsDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); }

    // The message of the core::Error a call throws.
    template <typename Call> static QByteArray failure(Call&& call)
    {
        try {
            call();
        } catch (const core::Error& error) {
            return QByteArray(error.what());
        }
        return QByteArray("no failure");
    }

    // A grid with a table, a dragged selection and a marked cell.
    void fillGrid()
    {
        core::CellTable table(4, 6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c)
                table.setCell(c, r, "c" + std::to_string(c) + "r" + std::to_string(r));
        table.setCell(1, 1, "gemerkt\xa0");
        grid->setTable(std::move(table));
        grid->fitColumns(10, 4);
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
        const QPoint to = grid->cellRect(2, 3).center();
        QMouseEvent move(QEvent::MouseMove, to, grid->viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(2, 3).center());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        Application::setErrorSink([this](const QString& text) { errors << text; });
    }

    void init()
    {
        grid = new StringGrid;
        grid->resize(500, 300);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid));
        importer = new GridImportDialog(grid, grid);
        errors.clear();
        fillGrid();
    }

    void cleanup()
    {
        GridImportDialog::setFileChooser({});
        delete grid;
        grid = nullptr;
    }

    void initialState()
    {
        QByteArray file;
        for (int i = 0; i < 15; ++i)
            file += "Groep " + QByteArray::number(i) + ";Naam;Plaats\r\n";
        const QString path = write("start.csv", file);
        ImportSettingsDialog dialog(path, file.toStdString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import instellingen"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

        auto* delimited = child<QRadioButton>(&dialog, "rbDelimited");
        QCOMPARE(delimited->text(), QStringLiteral("Scheidingsteken"));
        QVERIFY(delimited->isChecked());
        QVERIFY(child<QFrame>(&dialog, "separatorFrame")->isEnabled());
        const char* const separators[][2] = {{"rbSemicolon", "( ; )"},
                                             {"rbMinus", "( - )"},
                                             {"rbComma", "( , )"},
                                             {"rbUnderscore", "( _ )"},
                                             {"rbCustom", "Custom"}};
        for (const auto& [name, caption] : separators) {
            auto* radio = child<QRadioButton>(&dialog, name);
            QCOMPARE(radio->text(), QString::fromLatin1(caption));
            QVERIFY(!radio->isChecked());
        }
        auto* automatic = child<QRadioButton>(&dialog, "rbAutomatic");
        QCOMPARE(automatic->text(), QStringLiteral("Automatic"));
        QVERIFY(automatic->isChecked());
        auto* custom = child<QLineEdit>(&dialog, "edCustom");
        QCOMPARE(custom->text(), QStringLiteral(","));
        QVERIFY(!custom->isEnabled());
        auto* fixed = child<QRadioButton>(&dialog, "rbFixed");
        QCOMPARE(fixed->text(), QStringLiteral("Fixed"));
        QVERIFY(!fixed->isChecked());
        QVERIFY(!child<SplitRuler>(&dialog, "ruler")->isEnabled());
        auto* headers = child<QCheckBox>(&dialog, "cbFirstRowHeaders");
        QCOMPARE(headers->text(), QStringLiteral("Kolomtitels bovenaan"));
        QVERIFY(!headers->isChecked());
        auto* ok = child<QPushButton>(&dialog, "btnOK");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(child<QPushButton>(&dialog, "btnCancel")->text(), QStringLiteral("Annuleer"));

        // The preview: the first 10 lines, the first one in row 0, cut at the semicolons.
        const core::CellTable& preview = dialog.preview()->table();
        QCOMPARE(preview.rowCount(), 10);
        QCOMPARE(preview.colCount(), 3);
        QCOMPARE(preview.cell(0, 0), "Groep 0");
        QCOMPARE(preview.cell(2, 9), "Plaats");
        QVERIFY(dialog.preview()->columnWidth(0) > dialog.preview()->columnWidth(1));
    }

    // Every separator choice refills the preview; the custom box takes one typed character.
    void previewFollowsChoices()
    {
        const QByteArray file = "a;b,cXd\ne;f,gXh\n";
        ImportSettingsDialog dialog(write("keuzes.csv", file), file.toStdString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto rows = [&] {
            return rowsOf(dialog.preview()->table());
        };
        auto click = [&](const char* name) {
            clickButton(child<QRadioButton>(&dialog, name));
        };
        auto* custom = child<QLineEdit>(&dialog, "edCustom");
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b", "cXd"}, {"e;f", "gXh"}}));
        click("rbSemicolon");
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a", "b,cXd"}, {"e", "f,gXh"}}));
        click("rbUnderscore");
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b,cXd"}, {"e;f,gXh"}}));
        click("rbCustom");
        QVERIFY(custom->isEnabled());
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b", "cXd"}, {"e;f", "gXh"}}));
        QTest::keyClicks(custom, QStringLiteral("X"));
        QCOMPARE(custom->text(), QStringLiteral("X"));
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b,c", "d"}, {"e;f,g", "h"}}));
        QTest::keyClick(custom, Qt::Key_Backspace);
        QCOMPARE(custom->text(), QStringLiteral("X"));
        QTest::keyClicks(custom, QStringLiteral(";"));
        QCOMPARE(custom->text(), QStringLiteral(";"));
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a", "b,cXd"}, {"e", "f,gXh"}}));
        QCOMPARE(dialog.choices().separator, ';');
        QVERIFY(!dialog.choices().automatic);
        click("rbAutomatic");
        QVERIFY(!custom->isEnabled());
        QVERIFY(dialog.choices().automatic);
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b", "cXd"}, {"e;f", "gXh"}}));
        clickButton(child<QCheckBox>(&dialog, "cbFirstRowHeaders"));
        QVERIFY(dialog.choices().titlesOnTop);
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b", "cXd"}, {"e;f", "gXh"}}));

        // Back from fixed-width mode, the frame's choice cuts again.
        click("rbMinus");
        click("rbFixed");
        QVERIFY(!child<QFrame>(&dialog, "separatorFrame")->isEnabled());
        // In fixed-width mode only CR ends a line: this file is one line, LFs included.
        QCOMPARE(rows(), (QList<QByteArrayList>{{"a;b,cXd\ne;f,gXh\n"}}));
        click("rbDelimited");
        QVERIFY(child<QFrame>(&dialog, "separatorFrame")->isEnabled());
        QVERIFY(!child<SplitRuler>(&dialog, "ruler")->isEnabled());
        QCOMPARE(dialog.choices().separator, '-');
    }

    // Splits set, moved and removed on the ruler by mouse and keyboard re-cut the preview.
    void fixedWidthRuler()
    {
        const QByteArray file = "abcdefgh\r\nxyz\n12\r\n";
        ImportSettingsDialog dialog(write("vast.csv", file), file.toStdString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        clickButton(child<QRadioButton>(&dialog, "rbFixed"));
        SplitRuler* ruler = dialog.preview()->ruler();
        QVERIFY(ruler->isEnabled());
        QCOMPARE(ruler->length(), 8 + 2);
        auto rows = [&] {
            return rowsOf(dialog.preview()->table());
        };
        QCOMPARE(rows(), (QList<QByteArrayList>{{"abcdefgh"}, {"xyz\n12"}}));

        const int y = ruler->height() / 2;
        QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(3), y));
        QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(6) + 1, y));
        QCOMPARE(ruler->splits(), (std::vector<int>{3, 6}));
        QCOMPARE(rows(), (QList<QByteArrayList>{{"abc", "def", "gh"}, {"xyz", "\n12", ""}}));
        // The columns line up with the ruler's positions.
        QCOMPARE(dialog.preview()->columnLeft(1) - dialog.preview()->columnLeft(0),
                 3 * dialog.preview()->charWidth());

        // Drag the mark at 6 to 5.
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(6), y));
        QTest::mouseMove(ruler, QPoint(ruler->xOf(5), y));
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(5), y));
        QCOMPARE(ruler->splits(), (std::vector<int>{3, 5}));
        QCOMPARE(rows(), (QList<QByteArrayList>{{"abc", "de", "fgh"}, {"xyz", "\n1", "2"}}));

        // A double click removes a mark, and so does dragging it off the ruler.
        QTest::mouseDClick(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(5), y));
        QCOMPARE(ruler->splits(), (std::vector<int>{3}));
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(3), y));
        QTest::mouseMove(ruler, QPoint(ruler->xOf(3), y - 60));
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(3), y - 60));
        QCOMPARE(ruler->splits(), std::vector<int>{});
        QCOMPARE(rows(), (QList<QByteArrayList>{{"abcdefgh"}, {"xyz\n12"}}));

        // The keyboard: Home, Right, Space sets a split at 2; Ctrl+Right moves it to 3.
        ruler->setFocus();
        QTest::keyClick(ruler, Qt::Key_Home);
        QTest::keyClick(ruler, Qt::Key_Right);
        QTest::keyClick(ruler, Qt::Key_Space);
        QCOMPARE(ruler->splits(), (std::vector<int>{2}));
        QTest::keyClick(ruler, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(ruler->splits(), (std::vector<int>{3}));
        QTest::keyClick(ruler, Qt::Key_End);
        QTest::keyClick(ruler, Qt::Key_Insert);
        QCOMPARE(ruler->splits(), (std::vector<int>{3, 9}));
        QTest::keyClick(ruler, Qt::Key_Delete);
        QCOMPARE(ruler->splits(), (std::vector<int>{3}));
        QCOMPARE(dialog.choices().splits, (std::vector<int>{3}));
        QVERIFY(dialog.choices().fixedWidth);
    }

    // "OK" (Enter) in separator mode: every earlier cell and mark gone, the lines from row 1
    // or, with "Kolomtitels bovenaan", from row 0; columns fitted.
    void okSeparatorMode_data()
    {
        QTest::addColumn<bool>("titles");
        QTest::newRow("titles as data") << false;
        QTest::newRow("titles on top") << true;
    }

    void okSeparatorMode()
    {
        QFETCH(bool, titles);
        const QPoint current = grid->currentCell();
        const QString path = write("klas.csv", "Groep;Naam\r\n7;Jan Jansen;x\r\n\r\n8;Piet\r\n");
        const bool done = runImport(path, [titles](ImportSettingsDialog* dialog) {
            if (titles)
                clickButton(child<QCheckBox>(dialog, "cbFirstRowHeaders"));
            pressOk(dialog);
        });
        QVERIFY(done);
        QList<QByteArrayList> rows = {
            {"Groep", "Naam", ""}, {"7", "Jan Jansen", "x"}, {"", "", ""}, {"8", "Piet", ""}};
        if (!titles)
            rows.prepend({"", "", ""});
        QCOMPARE(stateOf(*grid).cells, rows);
        // The current cell keeps its column and row, moved into the new table; the selection
        // is that cell.
        const QPoint now(std::min(current.x(), 2), std::min(current.y(), int(rows.size()) - 1));
        QCOMPARE(grid->currentCell(), now);
        QCOMPARE(grid->selection(), (GridRect{now.x(), now.y(), now.x(), now.y()}));
        const QFontMetrics body(grid->font());
        QVERIFY(grid->colWidth(1) >= body.horizontalAdvance(QStringLiteral("Jan Jansen")) + 4);
        QVERIFY(grid->colWidth(2) >= 14);
    }

    // "OK" in fixed-width mode: k + 1 columns, trimmed cells, rows never lowered.
    void okFixedMode()
    {
        grid->setRowCount(12);
        const QPoint current = grid->currentCell();
        const QString path = write("vast.csv", "  7 Jan  Jansen\r\n  8 Piet Pieters \r\n");
        const bool done = runImport(path, [](ImportSettingsDialog* dialog) {
            clickButton(child<QRadioButton>(dialog, "rbFixed"));
            SplitRuler* ruler = dialog->preview()->ruler();
            const int y = ruler->height() / 2;
            QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(3), y));
            QTest::mouseClick(ruler, Qt::LeftButton, {}, QPoint(ruler->xOf(8), y));
            QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        });
        QVERIFY(done);
        QCOMPARE(grid->colCount(), 3);
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(
            stateOf(*grid).cells.mid(0, 4),
            (QList<QByteArrayList>{
                {"", "", ""}, {"7", "Jan", "Jansen"}, {"8", "Piet", "Pieters"}, {"", "", ""}}));
        QCOMPARE(grid->currentCell(), QPoint(1, 1));
    }

    // A small file after a large one: separator mode leaves exactly the small table; fixed
    // mode keeps the large table's rows, empty.
    void smallAfterLarge()
    {
        QByteArray large;
        for (int i = 0; i < 40; ++i)
            large += "a;b;c;d;e;f\r\n";
        const QString largePath = write("groot.csv", large);
        const QString smallPath = write("klein.csv", "x;y\r\n");
        QVERIFY(runImport(largePath, pressOk));
        QCOMPARE(grid->rowCount(), 41);
        QCOMPARE(grid->colCount(), 6);
        QVERIFY(runImport(smallPath, pressOk));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->colCount(), 2);
        QCOMPARE(stateOf(*grid).cells, (QList<QByteArrayList>{{"", ""}, {"x", "y"}}));
        QCOMPARE(grid->currentCell().y(), 1);

        QVERIFY(runImport(largePath, pressOk));
        QVERIFY(runImport(smallPath, [](ImportSettingsDialog* dialog) {
            clickButton(child<QRadioButton>(dialog, "rbFixed"));
            pressOk(dialog);
        }));
        QCOMPARE(grid->rowCount(), 41);
        QCOMPARE(grid->colCount(), 1);
        QCOMPARE(bytes(grid->getCellEx(0, 1)), QByteArray("x;y"));
        for (int r = 2; r < 41; ++r)
            QVERIFY(grid->getCellEx(0, r).empty());
    }

    // A one-line file with "Kolomtitels bovenaan" keeps the title row: the line in row 0 and
    // one empty data row; the next import still fills from row 1.
    void oneLineWithTitlesKeepsTitleRow()
    {
        const QString one = write("een.csv", "Voornaam;Achternaam");
        QVERIFY(runImport(one, [](ImportSettingsDialog* dialog) {
            clickButton(child<QCheckBox>(dialog, "cbFirstRowHeaders"));
            pressOk(dialog);
        }));
        QCOMPARE(stateOf(*grid).cells,
                 (QList<QByteArrayList>{{"Voornaam", "Achternaam"}, {"", ""}}));
        QCOMPARE(grid->currentCell().y(), 1);

        QVERIFY(runImport(write("twee.csv", "Jan;Jansen\r\nPiet;Pieters\r\n"), pressOk));
        QCOMPARE(stateOf(*grid).cells,
                 (QList<QByteArrayList>{{"", ""}, {"Jan", "Jansen"}, {"Piet", "Pieters"}}));

        // Without the box: two rows, the title row empty.
        QVERIFY(runImport(one, pressOk));
        QCOMPARE(stateOf(*grid).cells,
                 (QList<QByteArrayList>{{"", ""}, {"Voornaam", "Achternaam"}}));
    }

    // "Annuleer", Esc and the close box change nothing, the selection and marks included.
    void cancelChangesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Annuleer") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("open-file dialog cancelled") << 3;
    }

    void cancelChangesNothing()
    {
        QFETCH(int, how);
        const GridState before = stateOf(*grid);
        const QString path = write("annuleer.csv", "a;b;c\r\n");
        bool done = true;
        if (how == 3) {
            GridImportDialog::setFileChooser([] { return QString(); });
            done = importer->openAndExecute();
        } else {
            done = runImport(path, [how](ImportSettingsDialog* dialog) {
                // Choices made before cancelling are not loaded either.
                clickButton(child<QCheckBox>(dialog, "cbFirstRowHeaders"));
                if (how == 0)
                    QTest::mouseClick(child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
                else if (how == 1)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else
                    dialog->close();
            });
        }
        QVERIFY(!done);
        QCOMPARE(stateOf(*grid), before);
        QCOMPARE(bytes(grid->getCellEx(1, 1)), QByteArray("gemerkt\xa0"));
        QVERIFY(errors.isEmpty());
    }

    // The first read fails: the message, and no dialog, and the grid as it was.
    void failureBeforeTheDialog_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("message"); // %1: the full path
        QTest::newRow("missing") << QByteArray() << false << QStringLiteral("Cannot open file %1");
        QTest::newRow("folder") << QByteArray() << true << QStringLiteral("Cannot open file %1");
        QTest::newRow("no bytes") << QByteArray("") << false << QStringLiteral("File is empty");
        QTest::newRow("NUL first")
            << QByteArray("\0a;b", 4) << false << QStringLiteral("File is empty");
    }

    void failureBeforeTheDialog()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, folder);
        QFETCH(QString, message);
        QString path = dir.filePath(QStringLiteral("weg.csv"));
        QFile::remove(path);
        if (folder)
            path = dir.path();
        else if (!content.isNull())
            path = write("leeg.csv", content);
        const GridState before = stateOf(*grid);
        GridImportDialog::setFileChooser([path] { return path; });
        bool dialogShown = false;
        QTimer::singleShot(0, this, [&] {
            if (QApplication::activeModalWidget()) {
                dialogShown = true;
                QApplication::activeModalWidget()->close();
            }
        });
        QCOMPARE(QString::fromUtf8(failure([&] { importer->openAndExecute(); })),
                 withPath(message, path));
        QCoreApplication::processEvents();
        QVERIFY(!dialogShown);
        QCOMPARE(stateOf(*grid), before);
    }

    // The file changed between the preview and "OK": the message, and the grid, its selection
    // and its marks exactly as they were.
    void failureAtOk_data()
    {
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("removed"); // else emptied
        QTest::addColumn<QString>("message");
        QTest::newRow("removed") << false << true << QStringLiteral("Cannot open file %1");
        QTest::newRow("emptied") << false << false << QStringLiteral("File is empty");
        QTest::newRow("fixed: removed") << true << true << QStringLiteral("File %1 not found");
        QTest::newRow("fixed: emptied") << true << false << QStringLiteral("File is empty");
    }

    void failureAtOk()
    {
        QFETCH(bool, fixed);
        QFETCH(bool, removed);
        QFETCH(QString, message);
        const QString path = write("verdwijnt.csv", "a;b;c;d;e\r\n1;2;3;4;5\r\n");
        const GridState before = stateOf(*grid);
        const QByteArray what = failure([&] {
            runImport(path, [&](ImportSettingsDialog* dialog) {
                if (fixed)
                    clickButton(child<QRadioButton>(dialog, "rbFixed"));
                if (removed)
                    QFile::remove(path);
                else
                    write("verdwijnt.csv", QByteArray());
                pressOk(dialog);
            });
        });
        QCOMPARE(QString::fromUtf8(what), withPath(message, path));
        QCOMPARE(stateOf(*grid), before);
    }

    // "Fixed" on a file that can no longer be read: the message, and the dialog stays open in
    // separator mode.
    void fixedOnUnreadableFile()
    {
        const QByteArray file = "a;b\r\n";
        const QString path = write("weg-vast.csv", file);
        ImportSettingsDialog dialog(path, file.toStdString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QFile::remove(path);
        clickButton(child<QRadioButton>(&dialog, "rbFixed"));
        QTRY_COMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(path));
        QVERIFY(dialog.isVisible());
        QVERIFY(child<QRadioButton>(&dialog, "rbDelimited")->isChecked());
        QVERIFY(!dialog.preview()->ruler()->isEnabled());
        QCOMPARE(rowsOf(dialog.preview()->table()), (QList<QByteArrayList>{{"a", "b"}}));
    }

    // Hostile files load or fail cleanly: binary bytes, a line of a million separators,
    // unbalanced quotes, and a 100 MB line whose preview shows at once.
    void hostileFiles()
    {
        QByteArray binary;
        quint32 seed = 7;
        for (int i = 0; i < 200000; ++i) {
            seed = seed * 1103515245 + 12345;
            const char byte = static_cast<char>((seed >> 16) & 0xff);
            binary += byte == 0 ? '\x01' : byte;
        }
        QVERIFY(runImport(write("binair.csv", binary), pressOk));
        QVERIFY(grid->rowCount() > 100);

        QVERIFY(runImport(write("scheiding.csv", QByteArray(1000000, ';') + "x"), pressOk));
        QCOMPARE(grid->colCount(), 1000001);
        QCOMPARE(bytes(grid->getCellEx(1000000, 1)), QByteArray("x"));

        QByteArray quotes;
        for (int i = 0; i < 20000; ++i)
            quotes += "\"a,\"\"b,\"c\r\n";
        QVERIFY(runImport(write("quotes.csv", quotes), pressOk));
        QCOMPARE(grid->rowCount(), 20001);

        const QString huge = write("lang.csv", QByteArray(100 * 1024 * 1024, 'x'));
        int previewCells = -1;
        QVERIFY(!runImport(huge, [&](ImportSettingsDialog* dialog) {
            previewCells = static_cast<int>(dialog->preview()->table().cell(0, 0).size());
            dialog->reject();
        }));
        QVERIFY(previewCells > 0 && previewCells <= 4096);
        QFile::remove(huge);
    }

    // "Importeer" in the main window runs the import.
    void importButton()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
        GridImportDialog::setFileChooser(
            [path = write("hoofd.csv", "Jan;Jansen\r\n")] { return path; });
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<ImportSettingsDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            pressOk(dialog);
        });
        fMain->tbImporteerClick();
        QCOMPARE(bytes(fMain->Grid->getCellEx(1, 1)).left(6), QByteArray("Jansen"));
        QCOMPARE(fMain->Grid->rowCount(), 2);
        delete fMain;
        fMain = nullptr;
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestImportDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_importdialog.moc"
