// Loading speed of the BIFF reader: real workbooks read from disk through
// the compound document (the files of bench/make-bench-files.py in the
// folder NOTORIO_BENCH_DIR; bench/run-bench.sh writes them and runs this),
// and large generated workbook streams held in memory: numbers (NUMBER, RK,
// MULRK), half-unique shared strings spread over CONTINUE records, and
// formulas with text results. Reports bytes and cells per second; the
// files also with the JSON lines of `notorio-cli read-xls`, printed by the
// command's own code.
#include "ReadXlsJson.h"
#include "Xbiff.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 65536;
constexpr int kCols = 10;

class Stream {
public:
    Stream& u8(unsigned v) {
        s_.push_back(static_cast<char>(v));
        return *this;
    }
    Stream& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Stream& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Stream& f64(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    Stream& raw(const std::string& b) {
        s_ += b;
        return *this;
    }
    // Starts a record; End() fills in its length.
    Stream& Begin(unsigned number) {
        u16(number).u16(0);
        start_ = s_.size();
        return *this;
    }
    Stream& End() {
        const size_t length = s_.size() - start_;
        s_[start_ - 2] = static_cast<char>(length & 0xFF);
        s_[start_ - 1] = static_cast<char>(length >> 8);
        return *this;
    }
    Stream& Bof(unsigned type) {
        return Begin(0x0809).u16(0x0600).u16(type).raw(std::string(12, '\0')).End();
    }
    Stream& Eof() { return Begin(0x000A).End(); }
    size_t size() const { return s_.size(); }
    const std::string& str() const { return s_; }

private:
    std::string s_;
    size_t start_ = 0;
};

std::string NumbersWorkbook() {
    Stream s;
    s.Bof(0x10);
    for (int row = 0; row < kRows; ++row) {
        s.Begin(0x00BD).u16(row).u16(0); // columns 0-3
        for (int col = 0; col < 4; ++col) {
            s.u16(15).u32(static_cast<std::uint32_t>(row * 10 + col) << 2 | 2);
        }
        s.u16(3).End();
        for (int col = 4; col < 7; ++col) {
            s.Begin(0x027E).u16(row).u16(col).u16(15).u32((row % 5000) << 2 | 3).End();
        }
        for (int col = 7; col < kCols; ++col) {
            s.Begin(0x0203).u16(row).u16(col).u16(15).f64(row * 1.25 + col / 3.0).End();
        }
    }
    s.Eof();
    return s.str();
}

// Every other cell refers to a string of its own, the rest to one of 100
// repeated strings. The table is cut into records of 8224 bytes as Excel
// cuts it: a string header never splits, characters go on in the next
// CONTINUE record after an option byte.
std::string StringsWorkbook() {
    const int cells = kRows * kCols;
    const int unique = cells / 2;
    constexpr size_t kLimit = 8224;
    std::vector<std::string> records;
    std::string current = Stream().u32(cells).u32(unique + 100).str();
    for (int i = 0; i < unique + 100; ++i) {
        const std::string text = i < unique ? "unique string " + std::to_string(i)
                                            : "repeated " + std::to_string(i - unique);
        if (current.size() + 3 > kLimit) {
            records.push_back(std::move(current));
            current.clear();
        }
        current += Stream().u16(text.size()).u8(0).str();
        for (size_t done = 0; done < text.size();) {
            if (current.size() == kLimit) {
                records.push_back(std::move(current));
                current.assign(1, '\0'); // option byte: 8-bit characters
            }
            const size_t n = std::min(kLimit - current.size(), text.size() - done);
            current.append(text, done, n);
            done += n;
        }
    }
    records.push_back(std::move(current));
    Stream s;
    s.Bof(0x05);
    for (size_t i = 0; i < records.size(); ++i) {
        s.Begin(i == 0 ? 0x00FC : 0x003C).raw(records[i]).End();
    }
    s.Eof();
    s.Bof(0x10);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            const int cell = row * kCols + col;
            const int index = cell % 2 == 0 ? cell / 2 : unique + cell % 100;
            s.Begin(0x00FD).u16(row).u16(col).u16(15).u32(index).End();
        }
    }
    s.Eof();
    return s.str();
}

std::string FormulasWorkbook() {
    Stream s;
    s.Bof(0x10);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            s.Begin(0x0006).u16(row).u16(col).u16(15);
            s.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u16(0xFFFF); // text result
            s.u16(0).u32(0).u16(3).u8(0x1E).u16(col).End();    // flags, formula
            const std::string text = "result " + std::to_string(row);
            s.Begin(0x0207).u16(text.size()).u8(0).raw(text).End();
        }
    }
    s.Eof();
    return s.str();
}

// Runs `load` (one load of a reader whose events are set) once per
// iteration and reports cells per second of CPU time. With `json` the
// events print the lines of `notorio-cli read-xls` (into memory that is
// thrown away); otherwise every cell's text is touched.
template <typename LoadFn>
void Measure(benchmark::State& state, std::int64_t bytes, bool json, LoadFn load) {
    std::int64_t cells = 0;
    std::size_t printed = 0;
    for (auto _ : state) {
        TXBiff reader;
        std::size_t touched = 0;
        std::unique_ptr<cli::XlsJsonLines> lines;
        if (json) {
            lines = std::make_unique<cli::XlsJsonLines>([&](const char*, std::size_t size) {
                printed += size;
                return true;
            });
            lines->Attach(reader);
        }
        const auto print = reader.OnReadCell;
        reader.OnReadCell = [&](TXBiff* sender, int sheet, int row, int col, int attr,
                                const std::string& text, bool& cancel) {
            ++cells;
            if (print) {
                print(sender, sheet, row, col, attr, text, cancel);
            } else {
                touched += text.size();
            }
        };
        load(reader);
        benchmark::DoNotOptimize(touched);
    }
    benchmark::DoNotOptimize(printed);
    state.SetItemsProcessed(cells);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["Mcells/s"] =
        benchmark::Counter(static_cast<double>(cells) / 1e6, benchmark::Counter::kIsRate);
}

void Load(benchmark::State& state, const std::string& data) {
    Measure(state, static_cast<std::int64_t>(data.size()), false,
            [&](TXBiff& reader) { reader.LoadData(data); });
    state.counters["MB"] = static_cast<double>(data.size()) / 1e6;
}

void BM_Numbers(benchmark::State& state) {
    static const std::string data = NumbersWorkbook();
    Load(state, data);
}
void BM_SharedStrings(benchmark::State& state) {
    static const std::string data = StringsWorkbook();
    Load(state, data);
}
void BM_FormulaTexts(benchmark::State& state) {
    static const std::string data = FormulasWorkbook();
    Load(state, data);
}

// A workbook file loaded as `notorio-cli read-xls` loads it: the reader
// alone (File), or with the command's JSON lines (FileJson).
void BM_File(benchmark::State& state, const std::string& path, bool json) {
    Measure(state, static_cast<std::int64_t>(std::filesystem::file_size(path)), json,
            [&](TXBiff& reader) { reader.LoadFile(path); });
}

BENCHMARK(BM_Numbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharedStrings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormulaTexts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (const char* dir = std::getenv("NOTORIO_BENCH_DIR")) {
        for (const char* name : {"numbers-half", "numbers", "strings"}) {
            const std::string path = std::string(dir) + "/" + name + ".xls";
            if (std::filesystem::exists(path)) {
                benchmark::RegisterBenchmark(("BM_File/" + std::string(name)).c_str(), BM_File,
                                             path, false)
                    ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark(("BM_FileJson/" + std::string(name)).c_str(), BM_File,
                                             path, true)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
