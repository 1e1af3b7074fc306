#include "NoteLayout.h"
#include "Cp932.h"
#include "MemoryWindow.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

using namespace printing;
using Op = RecordingSurface::Op;

namespace {

MemoryWindow SampleWindow() {
    MemoryWindow w;
    w.ApplyStartupTexts(S("2007年7月5日"));
    w.SetField(field::CustomerName, S("山田商店"));
    w.SetField(field::Number, "0001");
    w.SetField(field::IssuerZip, "100-0001");
    w.SetField(field::IssuerAddress, S("東京都千代田区1-1"));
    w.SetField(field::IssuerAddress2, S("丸の内ビル3階"));
    w.SetField(field::IssuerName, S("鈴木工務店"));
    w.SetField(field::IssuerTele, "03-1234-5678");
    w.SetField(field::IssuerBank, S("みずほ銀行 本店"));
    w.SetField(field::IssuerBank2, S("普通 1234567"));
    w.SetField(field::TaxInclusiveTotal, "1234567");
    w.SetField(field::TaxRate, "5");
    w.SetField(field::Tax, "5000");
    w.SetField(field::QuantityTotal, "12");
    w.SetField(field::AmountTotal, "1175778");
    w.SetCell(col::Name, 1, S("ボルト"));
    w.SetCell(col::Amount, 1, "1175778");
    return w;
}

struct Page {
    explicit Page(const NoteWindow& w, int kind = kDeliveryNote) {
        PrintNoteJob(device, status, grid, w, kind);
    }
    RecordingSurface device;
    PRINTERSTATUS status;
    PRINTERGRID grid;
};

} // namespace

TEST(NoteLayout, KindsPrintTheirPagesInOneJob) {
    MemoryWindow w = SampleWindow();
    Page all(w, kAllThree);
    const auto& calls = all.device.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().op, Op::StartDocument);
    EXPECT_EQ(calls.front().text, "Slipr program");
    EXPECT_EQ(calls.back().op, Op::EndDocument);
    EXPECT_EQ(all.device.Of(Op::StartDocument).size(), 1u);
    EXPECT_EQ(all.device.Of(Op::StartPage).size(), 3u);
    EXPECT_EQ(all.device.Of(Op::EndPage).size(), 3u);

    // The title is the first text of each page.
    std::vector<std::string> titles;
    bool pageStarted = false;
    for (const auto& c : calls) {
        if (c.op == Op::StartPage) {
            pageStarted = true;
        } else if (c.op == Op::Text && pageStarted) {
            titles.push_back(c.text);
            pageStarted = false;
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string>{S("納品書(控)"), S("納品書"), S("請求書")}));

    for (int kind : {kCopy, kDeliveryNote, kInvoice}) {
        Page one(w, kind);
        EXPECT_EQ(one.device.Of(Op::StartPage).size(), 1u);
        EXPECT_EQ(one.device.Of(Op::Text)[0].text, titles[static_cast<size_t>(kind)]);
    }
    Page invoice(w, kInvoice);
    EXPECT_TRUE(invoice.device.HasText(S("下記のとおりご請求申し上げます")));
    EXPECT_FALSE(invoice.device.HasText(S("下記のとおり納品いたしました")));

    Page none(w, 4);
    EXPECT_TRUE(none.device.Calls().empty());
    EXPECT_TRUE(PagesOfKind(-1).empty());
}

TEST(NoteLayout, HeaderBlockPositions) {
    MemoryWindow w = SampleWindow();
    Page p(w);
    auto at = [&](const std::string& text) {
        const auto& c = p.device.TextCall(text);
        return std::make_pair(c.x1, c.y1);
    };
    using XY = std::pair<int, int>;
    EXPECT_EQ(at(S("納品書")), XY(472, 472));
    EXPECT_EQ(p.device.TextCall(S("納品書")).font.height, -150);
    EXPECT_EQ(at(S("2007年7月5日")), XY(472 + 2480, 472));
    EXPECT_EQ(at("No"), XY(472 + 3472, 472));
    EXPECT_EQ(at("0001"), XY(472 + 3590, 472));
    // 11 points advance 92, then 15 points 125.
    EXPECT_EQ(at(S("〒")), XY(472 + 2480, 689));
    EXPECT_EQ(at("100-0001"), XY(472 + 2551, 689));
    EXPECT_EQ(at(S("東京都千代田区1-1")), XY(472 + 2480, 764));
    EXPECT_EQ(at(S("山田商店様")), XY(472, 839));
    EXPECT_EQ(p.device.TextCall(S("山田商店様")).font.height, -133);
    EXPECT_EQ(at(S("丸の内ビル3階")), XY(472 + 2480, 839));
    EXPECT_EQ(at(S("鈴木工務店")), XY(472 + 2480, 914));
    EXPECT_EQ(at("TEL"), XY(472 + 2480, 1031));
    EXPECT_EQ(p.device.TextCall("TEL").font.height, -58);
    EXPECT_EQ(at("03-1234-5678"), XY(472 + 2574, 1031));
    EXPECT_EQ(at(S("みずほ銀行 本店")), XY(472 + 2480, 1123));
    EXPECT_EQ(at(S("下記のとおり納品いたしました")), XY(472, 1215));
    EXPECT_EQ(at(S("普通 1234567")), XY(472 + 2480, 1215));

    // Underlines under the date, the number and the customer's name.
    const auto lines = p.device.Of(Op::Line);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].y1, 472 + 92);
    EXPECT_EQ(lines[0].x2 - lines[0].x1, 12 * 46);
    EXPECT_EQ(lines[1].x1, 472 + 3590);
    EXPECT_EQ(lines[2].y1, 839 + 133);
    EXPECT_EQ(lines[2].x2 - lines[2].x1, 10 * 67);
}

TEST(NoteLayout, HonorificFollowsTheNameOrIsLeftOut) {
    MemoryWindow w = SampleWindow();
    w.SetField(field::Suffix, "");
    Page bare(w);
    EXPECT_TRUE(bare.device.HasText(S("山田商店")));
    w.SetField(field::Suffix, S("御中"));
    Page company(w);
    EXPECT_TRUE(company.device.HasText(S("山田商店御中")));
    // Only the first line of a header field is printed.
    w.SetField(field::IssuerName, S("鈴木工務店\n二行目"));
    Page firstLine(w);
    EXPECT_TRUE(firstLine.device.HasText(S("鈴木工務店")));
    EXPECT_FALSE(firstLine.device.HasText(S("二行目")));
}

TEST(NoteLayout, AmountBox) {
    MemoryWindow w = SampleWindow();
    Page p(w);
    const auto& total = p.device.TextCall("\\1,234,567");
    EXPECT_EQ(total.x1, 472 + 779);
    EXPECT_EQ(total.y1, 1535);
    EXPECT_EQ(total.font.height, -150);
    EXPECT_EQ(p.device.TextCall(S("税込み金額")).y1, 1582);
    EXPECT_EQ(p.device.TextCall(S("税率")).x1, 472 + 2645);
    EXPECT_EQ(p.device.TextCall(S("税率")).y1, 1417);
    EXPECT_EQ(p.device.TextCall(S("消費税")).x1, 472 + 3070);
    // 12 points: 50 wide. Both end one average character before their x.
    const auto& rate = p.device.TextCall("5%");
    EXPECT_EQ(rate.x1 + 2 * 50, 472 + 3000 - 50);
    EXPECT_EQ(rate.y1, 1582);
    const auto& tax = p.device.TextCall("\\5,000");
    EXPECT_EQ(tax.x1 + 6 * 50, 472 + 3897 - 50);

    // The box's rules follow the underlines of the header block.
    const auto lines = p.device.Of(Op::Line);
    ASSERT_GE(lines.size(), 9u);
    struct Rule {
        int x1, y1, x2, y2, width;
    };
    const Rule expected[] = {
        {472, 1417, 472 + 3897, 1417, 6},
        {472 + 2622, 1511, 472 + 3897, 1511, 1},
        {472, 1417, 472, 1700, 6},
        {472 + 2622, 1417, 472 + 2622, 1700, 1},
        {472 + 2976, 1417, 472 + 2976, 1700, 1},
        {472 + 3897, 1417, 472 + 3897, 1700, 6},
    };
    for (size_t i = 0; i < 6; ++i) {
        const auto& l = lines[3 + i];
        EXPECT_EQ(l.x1, expected[i].x1) << "rule " << i;
        EXPECT_EQ(l.y1, expected[i].y1) << "rule " << i;
        EXPECT_EQ(l.x2, expected[i].x2) << "rule " << i;
        EXPECT_EQ(l.y2, expected[i].y2) << "rule " << i;
        EXPECT_EQ(l.penWidth, expected[i].width) << "rule " << i;
    }
    // The table starts at 72 mm with the totals from the fields.
    EXPECT_EQ(p.grid.rowBoundaries.front(), 1700);
    EXPECT_TRUE(p.device.HasText("\\1,175,778"));
    EXPECT_TRUE(p.device.HasText("1,175,778"));
    EXPECT_TRUE(p.device.HasText("12"));
}

TEST(NoteLayout, EmptyFieldsPrintNothingAndStillAdvance) {
    MemoryWindow w;
    w.ApplyStartupTexts("");
    w.SetField(field::Suffix, "");
    w.SetField(field::TaxInclusiveTotal, "");
    w.SetField(field::Tax, "");
    Page p(w);
    for (const auto& c : p.device.Of(Op::Text)) {
        EXPECT_FALSE(c.text.empty());
        EXPECT_NE(c.text, "\\");
    }
    EXPECT_EQ(p.device.TextCall(S("下記のとおり納品いたしました")).y1, 1215);
}
