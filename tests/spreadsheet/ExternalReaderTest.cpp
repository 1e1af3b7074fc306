// An export opened by other spreadsheet programs: xlrd always, gnumeric's
// ssconvert and LibreOffice (in the C locale) when they are installed. Every
// cell must read as the grid shows it: texts whole (a long one cut at a
// whole character), numbers as their values (007 is the number 7).
#include "GridExport.h"
#include "Xwritebiff.h"

#include "BiffTestUtil.h"
#include "Cp932.h"
#include "MemoryWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

using CellMap = std::map<std::pair<int, int>, std::string>; // (row, col) -> UTF-8 text

bool Have(const std::string& command) {
    return std::system(("command -v " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// The rich note: a 200-character kanji name, texts that look like numbers,
// an amount beyond 32 bits and a negative fraction.
MemoryWindow RichGrid() {
    MemoryWindow window;
    std::string name;
    for (int i = 0; i < 200; ++i) {
        name += S(i % 2 == 0 ? "漢" : "字");
    }
    window.SetCell(1, 1, name);
    window.SetCell(2, 1, "1,234");
    window.SetCell(3, 1, "-.");
    window.SetCell(4, 1, "007");
    window.SetCell(5, 1, "4000000000");
    window.SetCell(6, 1, "-0.375");
    window.SetCell(7, 1, S("ｶﾅ　全角"));
    window.SetCell(1, 2, "a" + name); // the cut falls one byte later
    window.SetCell(2, 2, "-123456789012");
    window.SetCell(3, 2, "32768");
    window.SetCell(4, 2, "12");
    window.SetCell(5, 2, "2.5");
    window.SetCell(6, 2, "  ");
    window.SetCell(7, 2, S("様\"引用\""));
    return window;
}

// What a spreadsheet shows for each cell the export writes.
CellMap Expected(const MemoryWindow& window) {
    CellMap cells;
    for (int r = 0; r < window.RowCount(); ++r) {
        for (int c = 0; c < window.ColCount(); ++c) {
            const std::string text = window.Cell(c, r);
            if (spreadsheet::IsBlankCell(text)) {
                continue;
            }
            std::string shown;
            switch (TWriteBiff::DataKind(text)) {
            case TWriteBiff::KindInteger:
            case TWriteBiff::KindNumber: {
                std::ostringstream out;
                out.precision(15);
                out << std::stod(text);
                shown = out.str();
                break;
            }
            default:
                shown = cp932::ToUtf8(text.substr(0, TWriteBiff::WholeCharacterLength(text, 255)));
            }
            cells[{r + 7, c + 1}] = shown;
        }
    }
    return cells;
}

// Comma-separated lines (double quotes around fields with commas or quotes).
CellMap ParseCsv(const std::string& csv) {
    CellMap cells;
    int row = 0;
    int col = 0;
    std::string field;
    bool quoted = false;
    auto flush = [&] {
        if (!field.empty()) {
            cells[{row, col}] = field;
        }
        field.clear();
    };
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char ch = csv[i];
        if (quoted) {
            if (ch == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            flush();
            ++col;
        } else if (ch == '\n') {
            flush();
            ++row;
            col = 0;
        } else if (ch != '\r') {
            field += ch;
        }
    }
    flush();
    return cells;
}

// The cells moved so that the first used row and column are 0 (a CSV
// export may leave out the empty rows and columns before the used range).
CellMap FromOrigin(const CellMap& cells) {
    int top = 1 << 30;
    int left = 1 << 30;
    for (const auto& [at, text] : cells) {
        top = std::min(top, at.first);
        left = std::min(left, at.second);
    }
    CellMap moved;
    for (const auto& [at, text] : cells) {
        moved[{at.first - top, at.second - left}] = text;
    }
    return moved;
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string RunCommand(const std::string& command) {
    return std::system(command.c_str()) == 0 ? "" : "command failed: " + command;
}

class ExternalReader : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = RichGrid();
        xls_ = dir_.File("rich.xls");
        spreadsheet::WriteGridToXls(xls_, window_);
        expected_ = Expected(window_);
        ASSERT_EQ(expected_.size(), 14u);
    }

    bifftest::TempDir dir_;
    MemoryWindow window_;
    std::string xls_;
    CellMap expected_;
};

} // namespace

TEST_F(ExternalReader, XlrdReadsEveryCellAsShown) {
    if (std::system("/usr/bin/python3 -c 'import xlrd' >/dev/null 2>&1") != 0) {
        FAIL() << "python3-xlrd is not installed (scripts/install-deps.sh installs it)";
    }
    const std::string script = dir_.File("read.py");
    const std::string out = dir_.File("cells.csv");
    {
        std::ofstream py(script);
        py << "import csv, sys, xlrd\n"
              "sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
              "rows = [[''] * sheet.ncols for r in range(sheet.nrows)]\n"
              "for r in range(sheet.nrows):\n"
              "    for c in range(sheet.ncols):\n"
              "        cell = sheet.cell(r, c)\n"
              "        if cell.ctype == xlrd.XL_CELL_NUMBER:\n"
              "            v = cell.value\n"
              "            rows[r][c] = str(int(v)) if v == int(v) else repr(v)\n"
              "        elif cell.ctype == xlrd.XL_CELL_TEXT:\n"
              "            rows[r][c] = cell.value\n"
              "with open(sys.argv[2], 'w', encoding='utf-8', newline='') as f:\n"
              "    csv.writer(f, lineterminator='\\n').writerows(rows)\n";
    }
    ASSERT_EQ(RunCommand("/usr/bin/python3 '" + script + "' '" + xls_ + "' '" + out + "'"), "");
    EXPECT_EQ(FromOrigin(ParseCsv(bifftest::ReadFile(out))), FromOrigin(expected_));
}

TEST_F(ExternalReader, GnumericReadsEveryCellAsShown) {
    if (!Have("ssconvert")) {
        GTEST_SKIP() << "ssconvert (gnumeric) is not installed";
    }
    const std::string csv = dir_.File("rich.csv");
    ASSERT_EQ(RunCommand("ssconvert --export-type=Gnumeric_stf:stf_csv '" + xls_ + "' '" + csv +
                         "' >/dev/null 2>&1"),
              "");
    // gnumeric decodes every text of a BIFF2 file as code page 1252 (its
    // BIFF2 font records carry no character set, and it takes neither the
    // CODEPAGE record nor an import encoding for them), so Japanese texts
    // cannot read as shown there. What the file can ensure: every cell is
    // there (none dropped as corrupt), numbers and plain texts exactly.
    const CellMap read = FromOrigin(ParseCsv(bifftest::ReadFile(csv)));
    const CellMap expected = FromOrigin(expected_);
    ASSERT_EQ(read.size(), expected.size());
    for (const auto& [at, text] : expected) {
        ASSERT_EQ(read.count(at), 1u) << at.first << "," << at.second;
        if (IsAscii(text)) {
            EXPECT_EQ(read.at(at), text);
        }
    }
}

TEST_F(ExternalReader, LibreOfficeInTheCLocaleReadsEveryCellAsShown) {
    if (!Have("soffice")) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    // A profile of its own, so that no running instance or user setting
    // interferes; 76 is UTF-8 for the CSV filter.
    const std::string command =
        "cd '" + dir_.Path().string() + "' && LANG=C LC_ALL=C HOME='" + dir_.Path().string() +
        "' soffice -env:UserInstallation=file://" + dir_.Path().string() +
        "/profile --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir '" +
        dir_.Path().string() + "/lo' rich.xls >/dev/null 2>&1";
    ASSERT_EQ(RunCommand(command), "");
    EXPECT_EQ(FromOrigin(ParseCsv(bifftest::ReadFile(dir_.Path() / "lo" / "rich.csv"))),
              FromOrigin(expected_));
}
