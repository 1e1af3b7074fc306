// Paste of 10 MB clipboard texts through the main window, as the user does
// it: the range selected, Ctrl+V in the grid, and the grid painted again.
// 0: one cell of ASCII, 1: short comma lines, 2: one cell of kanji,
// 3: tab-separated lines.
// The logic alone is in PasteBench.cpp; this adds the widgets' share.
#include "Unit1.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kSize = 10'000'000;

QString Clipboard(int shape) {
    switch (shape) {
    case 0:
        return QString(kSize, QChar('x'));
    case 1:
        return QString("a,b,c,d,e,f,g,h\r\n").repeated(kSize / 17);
    case 2:
        return QString(kSize / 3, QChar(0x54C1)); // 品: one cell of 10 MB of UTF-8
    default:
        return QString::fromUtf8("品物 大\t\t2\t1,5\n").repeated(kSize / 12);
    }
}

void WindowPaste(benchmark::State& state) {
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    TForm1::SetSettingsPath(work.filePath("Slipr.ini"));
    auto form = std::make_unique<TForm1>(std::vector<std::string>{});
    form->show();
    QGuiApplication::clipboard()->setText(Clipboard(static_cast<int>(state.range(0))));
    TStringGrid* grid = form->StringGrid1;
    for (auto _ : state) {
        grid->SetSelection(TGridRect{1, 1, 1, 1});
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
        benchmark::DoNotOptimize(grid->grab());
        state.PauseTiming();
        form->SetCell(1, 1, "");
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(WindowPaste)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
