// The XML archive reader of note and master files and of the side file of
// registration numbers.
#include "ArchiveFuzz.h"
#include "FuzzTarget.h"
#include "RegistrationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzzing::ReadNote<persistence::XmlIArchive>(bytes);
    fuzzing::ReadMaster<persistence::XmlIArchive>(bytes);
    ownerlist issuers;
    wordlist numbers;
    registrationfile::ReadBytes(bytes, issuers, numbers);
    return 0;
}
