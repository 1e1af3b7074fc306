// The BIFF record loop on a plain record stream, every event handled.
#include "FuzzTarget.h"
#include "XbiffRecords.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TXBiff reader;
    size_t reported = 0;
    reader.OnReadCell = [&](TXBiff*, int, int, int, int, const std::string& text, bool& cancel) {
        reported += text.size() + 1;
        cancel = reported > (1u << 20); // a handler may stop a load at any time
    };
    reader.OnReadColW = [&](TXBiff*, int, int, int) { ++reported; };
    reader.OnReadSheetName = [&](TXBiff*, const std::string& name) { reported += name.size(); };
    reader.OnProgress = [](TXBiff*, int progress) {
        if (progress < 0 || progress > 100) {
            __builtin_trap();
        }
    };
    try {
        xbiff::RecordLoop loop(reader, std::string_view(reinterpret_cast<const char*>(data), size));
        loop.Run();
    } catch (const EXBiffError&) {
    }
    return 0;
}
