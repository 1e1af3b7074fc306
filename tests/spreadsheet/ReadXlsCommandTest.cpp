// notorio-cli read-xls: one JSON object per event, UTF-8, escaped.
#include "BiffBuilder.h"
#include "Cp932.h"
#include "JsonText.h"
#include "ReadXlsJson.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun ReadXls(const std::string& file) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto err = dir / ("read-xls-err-" + std::to_string(getpid()));
    const std::string command =
        std::string(NOTORIO_CLI) + " read-xls '" + file + "' 2>'" + err.string() + "'";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    run.status = WEXITSTATUS(pclose(pipe));
    std::ifstream in(err);
    run.err.assign(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(err);
    return run;
}

} // namespace

TEST(ReadXlsCommand, PrintsEveryEventAsJson) {
    using biff::Bytes;
    using biff::Record;
    const std::string label = std::string("say \"hi\"\\ ") + S("納品") + "\t\x01";
    const std::string stream =
        biff::Bof(0x0809, 0x0500, 0x0005) +
        Record(0x0085, Bytes().u32(0).u16(0).u8(4).raw(S("表\"1"))) + biff::Eof() +
        biff::Sheet(5,
                    Record(0x007D, Bytes().u16(1).u16(2).u16(3000).u16(0).u16(0)) +
                        Record(0x0204, Bytes().u16(4).u16(2).u16(15).u16(label.size()).raw(label)) +
                        Record(0x0203, Bytes().u16(5).u16(0).u16(16).f64(-1.25)));
    const auto path = std::filesystem::temp_directory_path() / "read-xls-test.xls";
    std::ofstream(path, std::ios::binary) << stream;
    const CliRun run = ReadXls(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "{\"event\":\"sheet\",\"name\":\"表\\\"1\"}\n"
                       "{\"event\":\"colw\",\"sheet\":1,\"col\":1,\"width\":3000}\n"
                       "{\"event\":\"colw\",\"sheet\":1,\"col\":2,\"width\":3000}\n"
                       "{\"event\":\"cell\",\"sheet\":1,\"row\":4,\"col\":2,\"attr\":15,"
                       "\"data\":\"say \\\"hi\\\"\\\\ 納品\\t\\u0001\"}\n"
                       "{\"event\":\"cell\",\"sheet\":1,\"row\":5,\"col\":0,\"attr\":16,"
                       "\"data\":\"-1.25\"}\n");
}

TEST(ReadXlsCommand, FailureGoesToStandardError) {
    const CliRun missing = ReadXls("/nonexistent/file.xls");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "ﾌｧｲﾙを開くことに失敗しました\n");
    const CliRun fixture = ReadXls(std::string(NOTORIO_TEST_DATA) + "/xls/make-fixtures.py");
    EXPECT_EQ(fixture.status, 1);
    EXPECT_EQ(fixture.err, "未知のフォーマット.\n");
}

// JSON string literals: every byte that needs escaping, at every position
// of texts longer than the eight bytes examined at once, and random texts.
TEST(ReadXlsCommand, JsonLiteralsEscapeEveryByteThatNeedsIt) {
    const auto reference = [](const std::string& text) {
        std::string out = "\"";
        for (char ch : text) {
            const unsigned char c = static_cast<unsigned char>(ch);
            char escaped[8];
            if (c == '"' || c == '\\') {
                out += {'\\', ch};
            } else if (c == '\n') {
                out += "\\n";
            } else if (c == '\r') {
                out += "\\r";
            } else if (c == '\t') {
                out += "\\t";
            } else if (c < 0x20) {
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += ch;
            }
        }
        return out + "\"";
    };
    std::vector<std::string> texts;
    for (int c = 0; c < 0x100; ++c) {
        for (size_t at = 0; at < 20; ++at) {
            std::string text = "0123456789abcdefghij";
            text[at] = static_cast<char>(c);
            texts.push_back(text);
        }
    }
    std::mt19937 random(8);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 5000; ++i) {
        std::string text(static_cast<size_t>(byte(random) % 40), '\0');
        for (char& c : text) {
            c = static_cast<char>(i % 2 == 0 ? byte(random) : 0x20 + byte(random) % 0x60);
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        ASSERT_EQ(cli::JsonUtf8(text), reference(text)) << text;
    }
}
