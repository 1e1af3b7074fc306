#include "NoteLayout.h"
#include "Cp932.h"
#include "MemoryWindow.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    explicit Page(const NoteWindow& w, int kind = kDeliveryNote, int dpi = 600) : device(dpi, dpi) {
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
    EXPECT_EQ(p.device.TextCall(S("普通 1234567")).font.height, -92);

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

namespace {

// What a text or a rule looks like on the page, for comparing pages.
std::string Mark(const RecordingSurface::Call& c) {
    return std::to_string(static_cast<int>(c.op)) + " " + std::to_string(c.x1) + "," +
           std::to_string(c.y1) + "," + std::to_string(c.x2) + "," + std::to_string(c.y2) + " " +
           std::to_string(c.font.height) + "/" + std::to_string(c.penWidth) + " " + c.text;
}

// Texts the qualified-invoice additions print: the registration number in
// the header and everything below the table.
bool IsAddition(const RecordingSurface::Call& c, int tableBottom) {
    return c.op == Op::Text && (c.text.starts_with(S("登録番号 ")) || c.y1 > tableBottom);
}

// Every text and rule of the page but the additions.
std::vector<std::string> Marks(const RecordingSurface& device, int tableBottom) {
    std::vector<std::string> out;
    for (const auto& c : device.Calls()) {
        if ((c.op == Op::Text || c.op == Op::Line) && !IsAddition(c, tableBottom)) {
            out.push_back(Mark(c));
        }
    }
    return out;
}

struct Box {
    int left, top, right, bottom;
    std::string text;
    bool added;
};

std::vector<Box> TextBoxes(const RecordingSurface& device, int tableBottom) {
    std::vector<Box> boxes;
    for (const auto& c : device.Of(Op::Text)) {
        const TextMetrics m = RecordingSurface::MetricsFor(c.font);
        boxes.push_back({c.x1, c.y1, c.x1 + static_cast<int>(c.text.size()) * m.averageWidth,
                         c.y1 + m.height, c.text, IsAddition(c, tableBottom)});
    }
    return boxes;
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The sample note with a registration number and reduced-rate lines.
MemoryWindow QualifiedWindow() {
    MemoryWindow w = SampleWindow();
    w.SetField(field::Registration, "T1234567890123");
    w.SetCell(col::Name, 2, S("※お茶"));
    w.SetRateBreakdown({{10, 1173618, 117361}, {8, 2160, 172}});
    return w;
}

std::vector<std::string> Additions() {
    return {S("登録番号 ") + "T1234567890123",
            S("※は軽減税率対象"),
            S("10%対象"),
            S("8%対象"),
            "\\1,173,618",
            "\\117,361",
            "\\2,160",
            "\\172"};
}

} // namespace

TEST(NoteLayout, QualifiedInvoiceAdditionsMoveNothing) {
    MemoryWindow plain = SampleWindow();
    plain.SetCell(col::Name, 2, S("※お茶"));
    const MemoryWindow qualified = QualifiedWindow();
    for (int kind : {kCopy, kDeliveryNote, kInvoice}) {
        Page before(plain, kind);
        Page after(qualified, kind);
        const int tableBottom = after.grid.rowBoundaries.back();
        EXPECT_EQ(Marks(after.device, tableBottom), Marks(before.device, tableBottom)) << kind;
        const auto texts = before.device.Of(Op::Text);
        EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [&](const auto& c) {
            return IsAddition(c, tableBottom);
        })) << "nothing below the table without reduced-rate lines";
        for (const std::string& text : Additions()) {
            EXPECT_TRUE(after.device.HasText(text)) << kind << " " << cp932::ToUtf8(text);
        }
    }
    // Without a number and without reduced-rate lines nothing is added.
    Page plainPage(plain);
    for (const std::string& text : Additions()) {
        EXPECT_FALSE(plainPage.device.HasText(text)) << cp932::ToUtf8(text);
    }
}

TEST(NoteLayout, RegistrationAndBreakdownPositions) {
    Page p(QualifiedWindow());
    // 3 points (25) under the number line (472 + 92), 9 points high, so it
    // ends above the postal code line at 689.
    const auto& number = p.device.TextCall(S("登録番号 ") + "T1234567890123");
    EXPECT_EQ(number.x1, 472 + 2480);
    EXPECT_EQ(number.y1, 472 + 92 + 25);
    EXPECT_EQ(number.font.height, -75);
    EXPECT_LE(number.y1 + 75, p.device.TextCall(S("〒")).y1);

    // The table ends at 1700 + 150 + 21 x 200 = 6050 (256.1 mm): the
    // breakdown starts at 259 mm, one rate per 5 mm, highest rate first.
    ASSERT_EQ(p.grid.rowBoundaries.back(), 6050);
    const int first = p.status.MmToDevice(259);
    EXPECT_EQ(p.device.TextCall(S("※は軽減税率対象")).x1, 472);
    EXPECT_EQ(p.device.TextCall(S("※は軽減税率対象")).y1, first);
    EXPECT_EQ(p.device.TextCall(S("10%対象")).x1, 472 + p.status.MmToDevice(95));
    EXPECT_EQ(p.device.TextCall(S("10%対象")).y1, first);
    EXPECT_EQ(p.device.TextCall(S("8%対象")).y1, p.status.MmToDevice(264));
    // Amounts end one average width (38) before 132 mm, taxes before 165.
    const auto& amount = p.device.TextCall("\\1,173,618");
    EXPECT_EQ(amount.x1 + 10 * 38, 472 + p.status.MmToDevice(132) - 38);
    const auto& tax = p.device.TextCall("\\172");
    EXPECT_EQ(tax.x1 + 4 * 38, 472 + p.status.MmToDevice(165) - 38);
    EXPECT_EQ(tax.y1, p.status.MmToDevice(264));
    const auto taxLabels = p.device.Of(Op::Text);
    EXPECT_EQ(std::count_if(taxLabels.begin(), taxLabels.end(),
                            [](const auto& c) { return c.text == S("消費税"); }),
              3)
        << "the box's heading and one per rate";
}

TEST(NoteLayout, NothingOverlapsAndAllStaysOnThePageAtEveryResolution) {
    MemoryWindow w = QualifiedWindow();
    // Taxes and amounts as long as a large invoice makes them.
    w.SetRateBreakdown({{10, 123456789, 12345678}, {8, -98765432, -7901234}});
    for (int dpi : {300, 600, 1200}) {
        Page p(w, kInvoice, dpi);
        const int tableBottom = p.grid.rowBoundaries.back();
        const std::vector<Box> boxes = TextBoxes(p.device, tableBottom);
        for (size_t i = 0; i < boxes.size(); ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                if (!boxes[i].added && !boxes[j].added) {
                    continue; // the positions of the existing layout are given
                }
                EXPECT_FALSE(Overlap(boxes[i], boxes[j]))
                    << dpi << ": " << cp932::ToUtf8(boxes[i].text) << " / "
                    << cp932::ToUtf8(boxes[j].text);
            }
        }
        // Inside the margins (20 mm on every side of a 297 mm page).
        const int bottomLimit = p.status.MmToDevice(297 - 20);
        EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(), [](const Box& b) { return b.added; }),
                  10);
        for (const Box& b : boxes) {
            EXPECT_GE(b.left, p.status.leftLimit) << dpi << " " << cp932::ToUtf8(b.text);
            EXPECT_LE(b.right, p.status.rightLimit) << dpi << " " << cp932::ToUtf8(b.text);
            EXPECT_LE(b.bottom, bottomLimit) << dpi << " " << cp932::ToUtf8(b.text);
        }
        // The breakdown lies wholly below the table, the number wholly
        // below the underlines of the date and number.
        for (const Box& b : boxes) {
            if (b.text == S("※は軽減税率対象") || b.text == S("8%対象")) {
                EXPECT_GT(b.top, tableBottom + p.status.FromReferenceUnits(6)) << dpi;
            }
        }
        const auto lines = p.device.Of(Op::Line);
        const Box& number = *std::find_if(boxes.begin(), boxes.end(), [](const Box& b) {
            return b.text.starts_with(S("登録番号"));
        });
        EXPECT_GT(number.top, lines[0].y1 + lines[0].penWidth) << dpi;
        EXPECT_GT(number.top, lines[1].y1 + lines[1].penWidth) << dpi;
    }
}
