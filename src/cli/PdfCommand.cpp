// notorio-cli pdf NOTE OUT.pdf [--kind 0|1|2|3] [--dpi N] [--registration T…]
// [--master DIR]: opens the note as the window's open command does and
// prints the pages of the kind into one PDF file through the print engine,
// on a device of N dots per inch, with the issuer's registration number
// given or found in DIR's registers.
#include "CliNote.h"
#include "Commands.h"

#include "Basedata.h"
#include "JapaneseFont.h"
#include "MemoryWindow.h"
#include "NoteLayout.h"
#include "PrintJobs.h"

#include "GuiApplication.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "pdf NOTE OUT.pdf [--kind 0|1|2|3] [--dpi N] [--registration T...] [--master DIR]";
constexpr int kMinDpi = 72;
constexpr int kMaxDpi = 4800;

struct PdfOptions {
    std::string note;
    std::string output;
    int kind = printing::kAllThree;
    int dpi = 600;
    cli::IssuerOptions issuer;
};

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

// The options, or nothing with a message in `error`.
std::optional<PdfOptions> ParseOptions(std::vector<std::string> args, std::string& error) {
    PdfOptions options;
    if (!cli::TakeIssuerOptions(args, options.issuer, error)) {
        return std::nullopt;
    }
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--kind" || arg == "--dpi") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            const std::optional<int> value = WholeNumber(args[++i]);
            if (arg == "--kind") {
                if (!value || *value < 0 || *value > 3) {
                    error = "--kind must be 0, 1, 2 or 3";
                    return std::nullopt;
                }
                options.kind = *value;
            } else {
                if (!value || *value < kMinDpi || *value > kMaxDpi) {
                    error = "--dpi must be a whole number from " + std::to_string(kMinDpi) +
                            " to " + std::to_string(kMaxDpi);
                    return std::nullopt;
                }
                options.dpi = *value;
            }
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        error = "usage: notorio-cli " + std::string(kUsage);
        return std::nullopt;
    }
    options.note = files[0];
    options.output = files[1];
    return options;
}

int RunPdf(const std::vector<std::string>& args) {
    std::string error;
    const std::optional<PdfOptions> options = ParseOptions(args, error);
    if (!options) {
        std::cerr << error << '\n';
        return 1;
    }
    MemoryWindow window;
    NoteContainers note;
    if (!cli::OpenNoteHeadless(options->note, window, note, options->issuer)) {
        return 1;
    }
    const std::unique_ptr<QGuiApplication> app = cli::StartGuiApplication();
    // Without a Japanese font the PDF would hold no Japanese text at all.
    if (!printing::HaveJapaneseFont()) {
        std::cerr << "no Japanese font is installed, so the PDF would show no Japanese text; "
                     "install one (apt install "
                  << printing::kJapaneseFontPackage << ")\n";
        return 1;
    }
    if (!printing::PrintNotesToPdf(window, options->kind, options->dpi, options->output, error)) {
        std::cerr << error << '\n';
        return 1;
    }
    return 0;
}

const cli::CommandRegistration kPdf("pdf", kUsage, RunPdf);

} // namespace
