// The comma-separated clipboard form: splitting pasted text into lines and
// fields, and reading back what copying writes.
#include "ClipboardText.h"
#include "FuzzTarget.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : editing::SplitClipboardLines(text)) {
        editing::SplitClipboardFields(line);
    }
    // Cells made from the input (split at 0xFF) are copied as one line and
    // must read back as the same cells.
    if (text.find('\0') != std::string::npos) {
        return 0;
    }
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\xFF') {
            cells.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (editing::SplitClipboardFields(editing::FormatClipboardLine(cells)) != cells) {
        __builtin_trap();
    }
    return 0;
}
