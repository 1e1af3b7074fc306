// Paste of 10 MB clipboard texts into the grid: PasteText, which reads only
// the lines and fields that land in the grid, side by side with splitting
// the whole text first (every line, every field), as pasting once did.
#include "CellClipboard.h"
#include "ClipboardText.h"
#include "MemoryWindow.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kSize = 10'000'000;

std::string Repeat(const std::string& unit) {
    std::string text;
    text.reserve(kSize + unit.size());
    while (text.size() < kSize) {
        text += unit;
    }
    return text;
}

// 0: one line, one field; 1: short comma lines; 2: one line of spaced
// words; 3: tab-separated lines.
std::string Clipboard(int shape) {
    switch (shape) {
    case 0:
        return std::string(kSize, 'x');
    case 1:
        return Repeat("a,b,c,d,e,f,g,h\r\n");
    case 2:
        return Repeat("ab ");
    default:
        return Repeat(std::string("p\t\tq r\t1,5\n"));
    }
}

void PasteText(benchmark::State& state) {
    const std::string text = Clipboard(static_cast<int>(state.range(0)));
    MemoryWindow window;
    for (auto _ : state) {
        editing::PasteText(window, editing::CellRect{1, 1, 1, 1}, text);
        benchmark::DoNotOptimize(window.Cell(1, 1));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void SplitEverything(benchmark::State& state) {
    const std::string text = Clipboard(static_cast<int>(state.range(0)));
    MemoryWindow window;
    for (auto _ : state) {
        const auto lines = editing::SplitClipboardLines(text);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const auto fields = editing::SplitClipboardFields(lines[k]);
            const int row = 1 + static_cast<int>(k);
            for (std::size_t i = 0; i < fields.size() && row < window.RowCount(); ++i) {
                const int col = 1 + static_cast<int>(i);
                if (col < window.ColCount()) {
                    window.SetCell(col, row, fields[i]);
                }
            }
        }
        benchmark::DoNotOptimize(window.Cell(1, 1));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(PasteText)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitEverything)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
