// The text archive reader of note and master files.
#include "ArchiveFuzz.h"
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzzing::ReadNote<persistence::TextIArchive>(bytes);
    fuzzing::ReadMaster<persistence::TextIArchive>(bytes);
    return 0;
}
