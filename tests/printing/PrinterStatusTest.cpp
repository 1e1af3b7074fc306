#include "PrinterStatus.h"
#include "Cp932.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

using Op = RecordingSurface::Op;

namespace {

PRINTERSTATUS PageAt(const RecordingSurface& device, double margin = 20.0) {
    PRINTERSTATUS s;
    s.leftMargin = margin;
    s.rightMargin = margin;
    s.topMargin = margin;
    s.SetupPage(device);
    return s;
}

} // namespace

TEST(PrinterStatus, SetupPageDerivesTheLimitsFromTheDevice) {
    RecordingSurface device(600, 600, 4960);
    PRINTERSTATUS s = PageAt(device);
    EXPECT_DOUBLE_EQ(s.horizontalResolution, 600.0);
    EXPECT_EQ(s.physicalPageWidth, 4960);
    EXPECT_NEAR(s.unitsPerMm, 23.622047598862, 1e-9);
    EXPECT_EQ(s.leftLimit, 472);   // 472.44
    EXPECT_EQ(s.rightLimit, 4487); // 4960 - 472.44
    EXPECT_EQ(s.topLimit, 472);
    EXPECT_EQ(s.cursor, 472);

    // The factor is a little above 1/25.4, so whole inches do not truncate
    // one unit short.
    EXPECT_EQ(s.MmToDevice(127), 3000);
    EXPECT_EQ(s.MmToDevice(254), 6000);
    EXPECT_EQ(s.MmToDevice(72), 1700);
    EXPECT_EQ(s.MmToDevice(0), 0);

    // The vertical resolution plays no part in millimetre positions.
    RecordingSurface tall(300, 1200, 2480);
    PRINTERSTATUS t = PageAt(tall);
    EXPECT_EQ(t.leftLimit, 236);
    EXPECT_EQ(t.MmToDevice(72), 850);
    EXPECT_EQ(t.rightLimit, 2480 - 237); // 2480 - 236.22, truncated
}

TEST(PrinterStatus, ReferenceUnitsFollowTheResolution) {
    RecordingSurface d300(300, 300), d600(600, 600), d1200(1200, 1200);
    PRINTERSTATUS s300 = PageAt(d300), s600 = PageAt(d600), s1200 = PageAt(d1200);
    EXPECT_EQ(s600.FromReferenceUnits(150), 150);
    EXPECT_EQ(s600.FromReferenceUnits(6), 6);
    EXPECT_EQ(s600.FromReferenceUnits(1), 1);
    EXPECT_EQ(s300.FromReferenceUnits(150), 75);
    EXPECT_EQ(s300.FromReferenceUnits(6), 3);
    EXPECT_EQ(s300.FromReferenceUnits(1), 1);
    EXPECT_EQ(s1200.FromReferenceUnits(200), 400);
    EXPECT_EQ(s1200.FromReferenceUnits(1), 2);
    RecordingSurface d72(72, 72);
    EXPECT_EQ(PageAt(d72).FromReferenceUnits(1), 1);
}

TEST(PrinterStatus, FontSizeZeroMeansNinePoints) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    EXPECT_EQ(s.SelectTextFont(device, 0, 105), 472 + 2480);
    ASSERT_EQ(device.Of(Op::SelectFont).size(), 1u);
    const PrintFont font = device.Of(Op::SelectFont)[0].font;
    EXPECT_EQ(font.height, -75); // 9 points at 600 dpi
    EXPECT_EQ(font.face, S("ＭＳ ゴシック"));
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.underline);

    device.Clear();
    s.PrintTextAt(device, "x", 0, 0, 10, 0);
    EXPECT_EQ(device.TextCall("x").font.height, -75);
}

TEST(PrinterStatus, FlowingTextPrintsTheFirstLineAndAdvances) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    s.PrintText(device, "first\nsecond", 11, 105, 1);
    const auto texts = device.Of(Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "first");
    EXPECT_EQ(texts[0].x1, 2952);
    EXPECT_EQ(texts[0].y1, 472);
    EXPECT_EQ(texts[0].font.height, -92);
    EXPECT_EQ(s.cursor, 472 + 92);

    // An empty text draws nothing but still advances; advance acts only at 1.
    device.Clear();
    s.PrintText(device, "", 11, 0, 1);
    EXPECT_TRUE(device.Of(Op::Text).empty());
    EXPECT_EQ(s.cursor, 472 + 2 * 92);
    s.PrintText(device, "stay", 11, 0, 2);
    EXPECT_EQ(s.cursor, 472 + 2 * 92);

    s.AdvanceCursor(device, 15);
    EXPECT_EQ(s.cursor, 472 + 2 * 92 + 125);
}

TEST(PrinterStatus, UnderlineRunsUnderTheTextBeforeTheAdvance) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    const std::string date = S("2007年7月5日"); // 12 bytes
    s.PrintUnderlinedText(device, date, 11, 105, 1, 1);
    const auto lines = device.Of(Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, 2952);
    EXPECT_EQ(lines[0].x2, 2952 + 12 * 46);
    EXPECT_EQ(lines[0].y1, 472 + 92);
    EXPECT_EQ(lines[0].y2, 472 + 92);
    EXPECT_EQ(lines[0].penWidth, 6);

    device.Clear();
    s.PrintUnderlinedText(device, date, 11, 105, 1, 2);
    EXPECT_TRUE(device.Of(Op::Line).empty());

    RecordingSurface d1200(1200, 1200);
    PRINTERSTATUS s1200 = PageAt(d1200);
    s1200.PrintUnderlinedText(d1200, date, 11, 105, 0, 1);
    EXPECT_EQ(d1200.Of(Op::Line)[0].penWidth, 12);
}

TEST(PrinterStatus, PositionedTextMeasuresFromThePrintableAreaAndMovesTheCursor) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    s.PrintTextAt(device, S("税込み金額"), 12, 5, 67, 0);
    const auto& label = device.TextCall(S("税込み金額"));
    EXPECT_EQ(label.x1, 472 + 118);
    EXPECT_EQ(label.y1, 1582);
    EXPECT_EQ(s.cursor, 1582);
    s.PrintTextAt(device, "a\nb", 12, 5, 67, 1);
    EXPECT_TRUE(device.HasText("a"));
    EXPECT_FALSE(device.HasText("b"));
    EXPECT_EQ(s.cursor, 1582 + 100);
}

TEST(PrinterStatus, ValuesOfKindYenPrintAsAmounts) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    s.PrintValueAt(device, "1234567", 18, 33, 65, 0, "yen");
    const auto& total = device.TextCall("\\1,234,567");
    EXPECT_EQ(total.x1, 472 + 779);
    EXPECT_EQ(total.y1, 1535);
    EXPECT_EQ(total.font.height, -150);

    s.PrintValueAt(device, "0", 18, 33, 65, 0, "yen");
    EXPECT_TRUE(device.HasText("\\0"));
    s.PrintValueAt(device, "1234567", 11, 0, 0, 0, "NULL");
    EXPECT_TRUE(device.HasText("1234567"));
    s.PrintValueAt(device, "7654321", 11, 0, 0, 0, "Yen");
    EXPECT_TRUE(device.HasText("7654321"));

    // An empty amount prints nothing, not a lone yen sign.
    device.Clear();
    s.PrintValueAt(device, "", 18, 33, 65, 0, "yen");
    EXPECT_TRUE(device.Of(Op::Text).empty());
}

TEST(PrinterStatus, RightAlignedValuesEndOneCharacterBeforeX) {
    RecordingSurface device;
    PRINTERSTATUS s = PageAt(device);
    s.PrintValueRightAt(device, "5%", 12, 127, 67, 0, "NULL");
    const auto& rate = device.TextCall("5%");
    const int a = 50; // 12 points: 100 units high, 50 wide
    EXPECT_EQ(rate.x1, 472 + 3000 - 3 * a);
    EXPECT_EQ(rate.x1 + 2 * a, 472 + 3000 - a);

    s.PrintValueRightAt(device, "5000", 12, 165, 67, 0, "yen");
    const auto& tax = device.TextCall("\\5,000");
    EXPECT_EQ(tax.x1 + 6 * a, 472 + 3897 - a);
    EXPECT_EQ(tax.y1, 1582);
}
