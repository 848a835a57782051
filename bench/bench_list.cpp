// The student list with a large class: a transfer of every row, and one keystroke in the
// resulting list (the list keeps its bytes in step with every edit).
#include "controls/ListEdit.h"
#include "core/Marker.h"
#include "ui/TfMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <benchmark/benchmark.h>

namespace {

void fillMarked(TfMain& window, int rows)
{
    window.Grid->setColCount(4);
    window.Grid->setRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        window.Grid->setCellEx(0, r, "6");
        window.Grid->setCellEx(1, r, core::mark("Voornaam" + std::to_string(r)));
        window.Grid->setCellEx(2, r, core::mark("van der"));
        window.Grid->setCellEx(3, r, core::mark("Achternaam"));
    }
}

void BM_Transfer(benchmark::State& state)
{
    TfMain window;
    fillMarked(window, static_cast<int>(state.range(0)));
    for (auto _ : state)
        window.tbNaarmemoClick();
    benchmark::DoNotOptimize(window.Memo->text().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Transfer)->Arg(40)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInList(benchmark::State& state)
{
    TfMain window;
    fillMarked(window, static_cast<int>(state.range(0)));
    window.tbNaarmemoClick();
    ListEdit* memo = window.Memo;
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(memo->document()->characterCount() / 2);
    memo->setTextCursor(cursor);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(memo, &press);
        QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(memo, &back);
    }
    benchmark::DoNotOptimize(memo->text().size());
}
BENCHMARK(BM_KeystrokeInList)->Arg(40)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
