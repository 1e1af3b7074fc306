#include "PrinterGrid.h"
#include "Cp932.h"
#include "MemoryWindow.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>

using Op = RecordingSurface::Op;

namespace {

MemoryWindow Window() {
    MemoryWindow w;
    w.ApplyStartupTexts(S("2007年7月5日"));
    return w;
}

struct Table {
    explicit Table(const NoteWindow& window, int dpi = 600, int pageWidth = -1)
        : device(dpi, dpi, pageWidth) {
        status.leftMargin = status.rightMargin = status.topMargin = 20.0;
        status.SetupPage(device);
        status.cursor = status.MmToDevice(72);
        grid.Attach(device, status, window);
    }
    void Print(const std::vector<std::string>& totals = {S("合計"), "0", "0"}) {
        grid.PrintGrid(device, totals);
    }
    // Vertical rules drawn at x between the two y values.
    int VerticalRulesAt(int x, int y1, int y2) const {
        auto lines = device.Of(Op::Line);
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const auto& l) {
            return l.x1 == x && l.x2 == x && l.y1 == y1 && l.y2 == y2;
        }));
    }

    RecordingSurface device;
    PRINTERSTATUS status;
    PRINTERGRID grid;
};

} // namespace

TEST(PrinterGrid, BoundariesAt600Dpi) {
    MemoryWindow w = Window();
    Table t(w, 600, 4960);
    t.Print();
    EXPECT_EQ(t.grid.columnBoundaries,
              (std::vector<int>{472, 1653, 2007, 2337, 2596, 3092, 3895, 4367}));
    ASSERT_EQ(t.grid.rowBoundaries.size(), 23u);
    EXPECT_EQ(t.grid.rowBoundaries[0], 1700);
    EXPECT_EQ(t.grid.rowBoundaries[1], 1850);
    EXPECT_EQ(t.grid.rowBoundaries[2], 2050);
    EXPECT_EQ(t.grid.rowBoundaries[21], 5850);
    EXPECT_EQ(t.grid.rowBoundaries[22], 6050);
    EXPECT_EQ(t.grid.overflowFlags, std::vector<int>(23, 0));
}

TEST(PrinterGrid, RulesFrameTheTableThickAroundTitlesAndTotals) {
    MemoryWindow w = Window();
    Table t(w);
    t.Print();
    const auto lines = t.device.Of(Op::Line);
    // 23 row rules, 7 column rules (none at boundary 1), 22 name dividers.
    ASSERT_EQ(lines.size(), 23u + 7u + 22u);
    for (int i = 0; i < 23; ++i) {
        const auto& rule = lines[static_cast<size_t>(i)];
        EXPECT_EQ(rule.y1, t.grid.rowBoundaries[static_cast<size_t>(i)]);
        EXPECT_EQ(rule.x1, 472);
        EXPECT_EQ(rule.x2, 4367);
        const bool thick = i == 0 || i == 1 || i == 21 || i == 22;
        EXPECT_EQ(rule.penWidth, thick ? 6 : 1) << "row rule " << i;
    }
    EXPECT_EQ(lines[23].x1, 472);
    EXPECT_EQ(lines[23].penWidth, 6);
    EXPECT_EQ(lines[24].x1, 2007);
    EXPECT_EQ(lines[24].penWidth, 1);
    EXPECT_EQ(lines[29].x1, 4367);
    EXPECT_EQ(lines[29].penWidth, 6);
    EXPECT_EQ(lines[29].y1, 1700);
    EXPECT_EQ(lines[29].y2, 6050);
    EXPECT_EQ(t.VerticalRulesAt(1653, 1700, 6050), 0);
    EXPECT_EQ(t.VerticalRulesAt(1653, 2050, 2250), 1);

    // Every text is drawn before the first rule.
    const auto& calls = t.device.Calls();
    auto firstLine =
        std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.op == Op::Line; });
    EXPECT_TRUE(
        std::none_of(firstLine, calls.end(), [](const auto& c) { return c.op == Op::Text; }));
}

TEST(PrinterGrid, TitlesAreCentredAndItemsAligned) {
    MemoryWindow w = Window();
    w.SetCell(col::Name, 1, S("ボルト"));
    w.SetCell(col::Spec, 1, "M8");
    w.SetCell(col::Quantity, 1, "150");
    w.SetCell(col::Unit, 1, S("本"));
    w.SetCell(col::UnitPrice, 1, "1234.5");
    w.SetCell(col::Amount, 1, "1234567");
    w.SetCell(col::Remarks, 1, S("至急"));
    Table t(w);
    t.Print();

    // Title row: 10 points (83 high, 42 wide), 8 points (67) below the top.
    const auto& name = t.device.TextCall(S("名称"));
    EXPECT_EQ(name.x1, 472 + (1181 - 4 * 42) / 2);
    EXPECT_EQ(name.y1, 1700 + 67);
    EXPECT_EQ(name.font.height, -83);
    const auto& amountTitle = t.device.TextCall(S("税抜き金額"));
    EXPECT_EQ(amountTitle.x1, 3092 + (803 - 10 * 42) / 2);

    // Item rows: 14 points (117 high, 59 wide), 10 points (83) below the top.
    const int a = 59;
    const int y = 1850 + 83;
    const auto& item = t.device.TextCall(S("ボルト"));
    EXPECT_EQ(item.x1, 472 + a / 2);
    EXPECT_EQ(item.y1, y);
    EXPECT_EQ(item.font.height, -117);
    EXPECT_EQ(t.device.TextCall(S("至急")).x1, 3895 + a / 2);
    EXPECT_EQ(t.device.TextCall("M8").x1, 2007 + a / 2 - 3 * a);
    EXPECT_EQ(t.device.TextCall(S("本")).x1, 2596 + a / 2 - 3 * a);
    EXPECT_EQ(t.device.TextCall("150").x1, 2337 + a / 2 - 4 * a);
    EXPECT_EQ(t.device.TextCall("1,234.5").x1, 3092 + a / 2 - 8 * a);
    const auto& amount = t.device.TextCall("1,234,567");
    EXPECT_EQ(amount.x1, 3895 + a / 2 - 10 * a);
    EXPECT_EQ(amount.y1, y);
    // Amounts in the table carry no yen sign.
    EXPECT_FALSE(t.device.HasText("\\1,234,567"));
}

TEST(PrinterGrid, TotalsRow) {
    MemoryWindow w = Window();
    Table t(w);
    t.Print({S("合計"), "1500", "1234567"});
    // 15 points: 125 high, 63 wide; the item font's half width is 29. The
    // totals stand 10 points (83) below the row's top unless their characters
    // would cross the table's bottom rule: 5850 + 83 + 125 > 6050.
    const int y = 6050 - 125;
    const auto& label = t.device.TextCall(S("合計"));
    EXPECT_EQ(label.x1, 472 + (1181 - 4 * 63) / 2);
    EXPECT_EQ(label.y1, y);
    EXPECT_EQ(label.font.height, -125);
    EXPECT_EQ(t.device.TextCall("1500").x1, 2337 + 29 - 5 * 63);
    const auto& total = t.device.TextCall("\\1,234,567");
    EXPECT_EQ(total.x1, 3895 + 29 - 11 * 63);
    EXPECT_EQ(total.y1, y);

    // Empty entries print nothing; an amount total 0 prints as \0.
    Table u(w);
    u.Print({"", "", "0"});
    auto texts = u.device.Of(Op::Text);
    auto inTotalsRow = [&](const auto& c) { return c.y1 >= 5850; };
    ASSERT_EQ(std::count_if(texts.begin(), texts.end(), inTotalsRow), 1);
    EXPECT_TRUE(u.device.HasText("\\0"));

    Table v(w);
    v.Print({S("合計"), "3", ""});
    texts = v.device.Of(Op::Text);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), inTotalsRow), 2);
    EXPECT_FALSE(v.device.HasText("\\"));
    // A short totals list prints the entries it has.
    Table x(w);
    x.Print({S("合計")});
    EXPECT_TRUE(x.device.HasText(S("合計")));
}

TEST(PrinterGrid, TextsTooWideForTheirColumnAreNarrowedToFit) {
    MemoryWindow w = Window();
    w.SetCell(col::Quantity, 1, "1500");             // "1,500": 6 * 59 > 330
    w.SetCell(col::Unit, 1, S("単位1"));             // 6 * 59 > 259
    w.SetCell(col::Remarks, 1, S("至急対応のこと")); // 15 * 59 > 472
    w.SetCell(col::Amount, 1, "123456789012");       // 16 bytes grouped, 17 * 59 > 803
    w.SetCell(col::UnitPrice, 1, "1234567");         // "1,234,567": 10 * 59 = 590 > 496
    w.SetCell(col::UnitPrice, 2, "123456");          // "123,456": 8 * 59 = 472 fits in 496
    Table t(w);
    t.Print({S("合計"), "1234567.25", "1234567890"});

    struct Expected {
        std::string text;
        int left, right, narrow;
    };
    // Each narrowed text lies between half an item width inside its column.
    const Expected expected[] = {
        {"1,500", 2007, 2337, (330 - 59) / 5},
        {S("単位1"), 2337, 2596, (259 - 59) / 5},
        {"123,456,789,012", 3092, 3895, (803 - 59) / 15},
        {"1,234,567", 2596, 3092, (496 - 59) / 9},
    };
    for (const auto& e : expected) {
        const auto& c = t.device.TextCall(e.text);
        EXPECT_EQ(c.font.width, e.narrow) << e.text;
        EXPECT_EQ(c.x1 + static_cast<int>(e.text.size()) * e.narrow, e.right - 30) << e.text;
        EXPECT_GE(c.x1, e.left + 29) << e.text;
    }
    const auto& remarks = t.device.TextCall(S("至急対応のこと"));
    EXPECT_EQ(remarks.x1, 3895 + 29);
    EXPECT_EQ(remarks.font.width, (472 - 59) / 14);
    // Texts that fit keep the font's own width, and the row font comes back.
    EXPECT_EQ(t.device.TextCall("123,456").font.width, 0);
    EXPECT_EQ(t.device.TextCall("123,456").x1, 3092 + 29 - 8 * 59);

    // Totals: 15 points, 63 wide, against the item font's half width 29.
    const auto& quantity = t.device.TextCall("1234567.25");
    EXPECT_EQ(quantity.font.width, (330 - 63) / 10);
    EXPECT_EQ(quantity.x1, 2337 + 29 - 63 - 10 * quantity.font.width);
    const auto& amount = t.device.TextCall("\\1,234,567,890");
    EXPECT_EQ(amount.font.width, (803 - 63) / 14);
    EXPECT_GE(amount.x1, 3092 + 29);
}

TEST(PrinterGrid, OverflowingNameDropsTheDividerOfItsRowOnly) {
    MemoryWindow w = Window();
    // 22 bytes at 59 units: (22 + 1) * 59 = 1357 > 1181.
    w.SetCell(col::Name, 3, S("とても長い品名ですよね"));
    // 19 bytes just fit: 20 * 59 = 1180.
    w.SetCell(col::Name, 4, "1234567890123456789");
    // A specification of 5 bytes: 6 * 59 = 354, not wider than 354.
    w.SetCell(col::Spec, 5, "12345");
    w.SetCell(col::Spec, 6, "123456");
    Table t(w);
    t.Print();
    std::vector<int> expected(23, 0);
    expected[3] = 1;
    expected[6] = 1;
    EXPECT_EQ(t.grid.overflowFlags, expected);
    const auto& b = t.grid.rowBoundaries;
    EXPECT_EQ(t.VerticalRulesAt(1653, b[3], b[4]), 0);
    EXPECT_EQ(t.VerticalRulesAt(1653, b[6], b[7]), 0);
    EXPECT_EQ(t.VerticalRulesAt(1653, b[2], b[3]), 1);
    EXPECT_EQ(t.VerticalRulesAt(1653, b[4], b[5]), 1);
    EXPECT_EQ(t.VerticalRulesAt(1653, b[5], b[6]), 1);
    EXPECT_EQ(t.VerticalRulesAt(1653, b[21], b[22]), 1);

    // The next page starts with clear flags.
    w.SetCell(col::Name, 3, "");
    w.SetCell(col::Spec, 6, "");
    Table u(w);
    u.Print();
    EXPECT_EQ(u.grid.overflowFlags, std::vector<int>(23, 0));
}

TEST(PrinterGrid, EighthBoundaryStopsAtTheRightLimit) {
    MemoryWindow w = Window();
    // A page 4600 units wide: right limit 4600 - 472.44 -> 4127 < 4367.
    Table t(w, 600, 4600);
    t.Print();
    EXPECT_EQ(t.status.rightLimit, 4127);
    EXPECT_EQ(t.grid.columnBoundaries[6], 3895);
    EXPECT_EQ(t.grid.columnBoundaries[7], 4127);
    EXPECT_EQ(t.VerticalRulesAt(4127, 1700, 6050), 1);
    EXPECT_EQ(t.device.Of(Op::Line)[0].x2, 4127);
}

TEST(PrinterGrid, MultiLineCellsStandOneLineApart) {
    MemoryWindow w = Window();
    w.SetCell(col::Remarks, 2, S("一行目\n二行目\n三行目"));
    Table t(w);
    t.Print();
    const int y = 2050 + 83;
    EXPECT_EQ(t.device.TextCall(S("一行目")).y1, y);
    EXPECT_EQ(t.device.TextCall(S("二行目")).y1, y + 117);
    EXPECT_EQ(t.device.TextCall(S("三行目")).y1, y + 2 * 117);
    EXPECT_EQ(t.device.TextCall(S("三行目")).x1, 3895 + 29);

    // PrintTextLines itself: spacing plus one unit, returns the last y.
    RecordingSurface device;
    PRINTERGRID grid;
    EXPECT_EQ(grid.PrintTextLines(device, "a\nb\n\nc", 10, 100, 0), 103);
    const auto texts = device.Of(Op::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].text, "c");
    EXPECT_EQ(texts[2].y1, 103);
    EXPECT_EQ(grid.PrintTextLines(device, "plain", 0, 50, 40), 50);
}

TEST(PrinterGrid, TheTableKeepsItsSizeAtOtherResolutions) {
    MemoryWindow w = Window();
    w.SetCell(col::Name, 1, "x");
    Table at600(w, 600);
    at600.Print({S("合計"), "12", "345"});
    for (int dpi : {300, 1200}) {
        Table t(w, dpi);
        t.Print({S("合計"), "12", "345"});
        const double scale = dpi / 600.0;
        for (size_t i = 0; i < 23; ++i) {
            EXPECT_NEAR(t.grid.rowBoundaries[i], at600.grid.rowBoundaries[i] * scale, 2.0)
                << dpi << " dpi, row boundary " << i;
        }
        for (size_t j = 0; j < 8; ++j) {
            EXPECT_NEAR(t.grid.columnBoundaries[j], at600.grid.columnBoundaries[j] * scale, 4.0)
                << dpi << " dpi, column boundary " << j;
        }
        const auto lines = t.device.Of(Op::Line);
        EXPECT_EQ(lines[0].penWidth, dpi == 300 ? 3 : 12);
        EXPECT_EQ(lines[2].penWidth, dpi == 300 ? 1 : 2);
        // Every text's characters stay inside their row, totals included.
        for (const auto& c : t.device.Of(Op::Text)) {
            const auto& b = t.grid.rowBoundaries;
            auto next = std::upper_bound(b.begin(), b.end(), c.y1);
            ASSERT_NE(next, b.end()) << c.text;
            EXPECT_LE(c.y1 - c.font.height, *next) << dpi << " dpi: " << c.text;
        }
        const auto& item = t.device.TextCall("x");
        EXPECT_NEAR(item.y1, at600.device.TextCall("x").y1 * scale, 2.0);
    }
    Table at300(w, 300);
    at300.Print();
    EXPECT_EQ(at300.grid.rowBoundaries[1] - at300.grid.rowBoundaries[0], 75);
    EXPECT_EQ(at300.grid.rowBoundaries[2] - at300.grid.rowBoundaries[1], 100);
}
