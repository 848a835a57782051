// The source grid with a table of 1,000,000 rows by 8 columns, loaded through the cell
// table's builder as an import does: painting the cells in view (with the marking handler),
// a press that clears all marks, a drag step that grows the selection by one row, a sort,
// column fitting, and the memory the table costs per cell.
//
// cmake --build build --target bench_grid && ./build/bench/bench_grid
#include "controls/StringGrid.h"
#include "core/CellTable.h"
#include "core/Marker.h"
#include "ui/TfMain.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 8;

const char* const kFirst[] = {"Jelmar", "Roosje", "Daan", "Sanne", "Bram", "Noor", "Ilse"};
const char* const kInfix[] = {"", "van der", "de", "van", "ter"};
const char* const kLast[] = {"Vlietman", "Brink", "Jansen", "Bakker", "Visser", "Smit"};

std::string csvFile()
{
    std::string file = "Groep;Voornaam;Tussenvoegsel;Achternaam;Straat;Plaats;Geboren;Nummer\r\n";
    file.reserve(64u << 20);
    for (int r = 1; r < kRows; ++r) {
        file += std::to_string(1 + r % 8) + ";" + kFirst[r % 7] + ";" + kInfix[r % 5] + ";" +
                kLast[r % 6] + ";Dorpsstraat " + std::to_string(r % 97) + ";Ede;" +
                std::to_string(2010 + r % 9) + "-0" + std::to_string(1 + r % 9) + "-1" +
                std::to_string(r % 10) + ";" + std::to_string(r) + "\r\n";
    }
    return file;
}

core::CellTable build(std::string file)
{
    core::CellTable::Builder b(0, std::move(file));
    const std::string& buf = b.buffer();
    size_t start = 0;
    for (size_t i = 0; i < buf.size(); ++i) {
        if (buf[i] == ';') {
            b.addField(std::string_view(buf).substr(start, i - start));
            start = i + 1;
        } else if (buf[i] == '\r') {
            b.addField(std::string_view(buf).substr(start, i - start));
            b.endRow();
            start = i + 2;
            ++i;
        }
    }
    return std::move(b).finish(1, 0);
}

// The main window with the big table, shown, its columns fitted as after an import.
TfMain& window()
{
    static TfMain* w = [] {
        auto* m = new TfMain;
        fMain = m;
        m->show();
        m->Grid->setTable(build(csvFile()));
        m->Grid->fitColumns(10, 4);
        QApplication::processEvents();
        return m;
    }();
    return *w;
}

void send(QWidget* to, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, to->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

void BM_BuildTable(benchmark::State& state)
{
    const std::string file = csvFile();
    size_t memory = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string copy = file;
        state.ResumeTiming();
        const core::CellTable t = build(std::move(copy));
        memory = t.memoryUsage();
    }
    const double cells = double(kRows) * kCols;
    state.counters["file_bytes_per_cell"] = double(file.size()) / cells;
    state.counters["table_bytes_per_cell"] = double(memory) / cells;
    state.counters["table_per_file_byte"] = double(memory) / double(file.size());
}
BENCHMARK(BM_BuildTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PaintView(benchmark::State& state)
{
    TfMain& w = window();
    w.Grid->setTopRow(500'000);
    for (auto _ : state)
        w.Grid->viewport()->repaint();
    state.counters["cells_in_view"] = double(w.Grid->dataView().right + 1) *
                                      (w.Grid->dataView().bottom - w.Grid->dataView().top + 1);
}
BENCHMARK(BM_PaintView)->Unit(benchmark::kMillisecond);

// A right-button press: the selection stays, every mark in the table goes.
void BM_PressClearsAllMarks(benchmark::State& state)
{
    TfMain& w = window();
    StringGrid* g = w.Grid;
    for (auto _ : state) {
        state.PauseTiming();
        for (int r = 1; r < g->rowCount(); ++r)
            for (int c = 0; c < g->colCount(); ++c)
                g->setCellEx(c, r, core::mark(g->getCellEx(c, r)));
        state.ResumeTiming();
        send(g->viewport(), QEvent::MouseButtonPress, g->cellRect(0, g->topRow()).center(),
             Qt::RightButton, Qt::RightButton);
        state.PauseTiming();
        send(g->viewport(), QEvent::MouseButtonRelease, g->cellRect(0, g->topRow()).center(),
             Qt::RightButton, Qt::NoButton);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PressClearsAllMarks)->Unit(benchmark::kMillisecond)->Iterations(5);

// The pointer moves one row down while dragging: the selection grows by one row.
void BM_DragStepOneRow(benchmark::State& state)
{
    TfMain& w = window();
    StringGrid* g = w.Grid;
    g->setTopRow(1000);
    const QPoint start = g->cellRect(0, 1001).center();
    send(g->viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const QPoint from = g->cellRect(3, 1004).center();
    const QPoint to = g->cellRect(3, 1005).center();
    for (auto _ : state) {
        state.PauseTiming();
        send(g->viewport(), QEvent::MouseMove, from, Qt::NoButton, Qt::LeftButton);
        state.ResumeTiming();
        send(g->viewport(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    }
    send(g->viewport(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_DragStepOneRow)->Unit(benchmark::kMicrosecond);

void BM_SortByColumn(benchmark::State& state)
{
    TfMain& w = window();
    for (auto _ : state)
        w.Grid->sortByColumn(static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SortByColumn)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_MoveColumn(benchmark::State& state)
{
    TfMain& w = window();
    for (auto _ : state)
        w.Grid->moveColumn(0, 7);
}
BENCHMARK(BM_MoveColumn)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_FitColumns(benchmark::State& state)
{
    TfMain& w = window();
    for (auto _ : state)
        w.Grid->fitColumns(10, 4);
}
BENCHMARK(BM_FitColumns)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete fMain;
    return 0;
}
