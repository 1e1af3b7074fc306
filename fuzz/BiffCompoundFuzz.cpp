// The whole BIFF reader on the bytes of a file: compound documents through
// libgsf, then the record loop on the workbook stream.
#include "FuzzTarget.h"
#include "Xbiff.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TXBiff reader;
    size_t cells = 0;
    reader.OnReadCell = [&](TXBiff*, int, int, int, int, const std::string&, bool&) { ++cells; };
    try {
        reader.LoadData(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EXBiffError&) {
    }
    return 0;
}
