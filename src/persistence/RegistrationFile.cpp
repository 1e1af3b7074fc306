#include "RegistrationFile.h"

#include "ArchiveObjects.h"
#include "Archives.h"
#include "Cp932.h"
#include "FileIO.h"
#include "MasterFile.h"
#include "RegisterSelection.h"
#include "Registration.h"
#include "SaveFile.h"

#include <boost/archive/archive_exception.hpp>

#include <algorithm>
#include <sstream>

namespace registrationfile {

namespace {

constexpr const char* kName = "master-touroku.xml";

// The numbers as stored: one per issuer of the register.
wordlist NumbersOf(const NoteContainers& note) {
    wordlist numbers = note.owner_touroku;
    numbers.resize(note.owner_ma_lo.size());
    return numbers;
}

} // namespace

std::string PathBeside(const std::string& masterXmlPath) {
    const size_t slash = masterXmlPath.rfind('/');
    return slash == std::string::npos ? kName : masterXmlPath.substr(0, slash + 1) + kName;
}

std::string Bytes(const ownerlist& issuers, const wordlist& numbers) {
    using boost::serialization::make_nvp;
    std::ostringstream out;
    {
        persistence::XmlOArchive ar(out);
        ar << make_nvp("owner_ma", issuers);
        ar << make_nvp("touroku", numbers);
        ar.Finish();
    }
    if (!out) {
        throw boost::archive::archive_exception(
            boost::archive::archive_exception::output_stream_error);
    }
    return out.str();
}

ReadResult ReadBytes(const std::string& bytes, ownerlist& issuers, wordlist& numbers) {
    using boost::serialization::make_nvp;
    issuers.clear();
    numbers.clear();
    try {
        std::istringstream in(bytes);
        persistence::XmlIArchive ar(in);
        ar >> make_nvp("owner_ma", issuers);
        ar >> make_nvp("touroku", numbers);
        ar.Finish();
    } catch (...) {
        issuers.clear();
        numbers.clear();
        return ReadResult::Unreadable;
    }
    return ReadResult::Read;
}

ReadResult Read(const std::string& path, ownerlist& issuers, wordlist& numbers) {
    issuers.clear();
    numbers.clear();
    std::string bytes;
    switch (persistence::ReadWholeFile(path, bytes)) {
    case persistence::ReadStatus::Ok:
        return ReadBytes(bytes, issuers, numbers);
    case persistence::ReadStatus::Missing:
    case persistence::ReadStatus::CannotOpen:
        return ReadResult::Missing;
    default:
        return ReadResult::Unreadable;
    }
}

void LoadNumbers(const std::string& masterXmlPath, NoteContainers& note, NoteWindow& window) {
    const std::string path = PathBeside(masterXmlPath);
    ownerlist keyed;
    wordlist numbers;
    if (Read(path, keyed, numbers) == ReadResult::Unreadable) {
        const std::string backup = masterfile::BackupName(path);
        if (!backup.empty()) {
            persistence::CopyFile(path, backup);
        }
        window.SetStatus(S("登録番号のファイルが読めません: ") + cp932::FromUtf8(path));
    }
    note.owner_touroku = registration::MatchNumbers(note.owner_ma_lo, keyed, numbers);
}

void ReadRegisters(const std::string& masterXmlPath, NoteContainers& note, NoteWindow& window) {
    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    note.int_owner_no = 0;
    note.int_customer_no = 0;
    const bool whole =
        masterfile::ReadMasterFile(masterXmlPath, note, issuers, customers, w1, w2, w3, window);
    // Start-up's rules: without a whole file the sample issuer (and sample
    // customer) take the place of a register of at most one entry; a whole
    // file with an empty register sets no register.
    if (!whole && issuers.size() <= 1) {
        issuers = {masterfile::SampleIssuer()};
    }
    if (issuers.empty() || (whole && customers.empty())) {
        return;
    }
    note.owner_ma_lo = issuers;
    note.int_owner_no = registers::ValidIndex(note.int_owner_no, issuers.size());
    ownerlist keyed;
    wordlist numbers;
    Read(PathBeside(masterXmlPath), keyed, numbers);
    note.owner_touroku = registration::MatchNumbers(note.owner_ma_lo, keyed, numbers);
}

bool SaveNumbers(const std::string& masterXmlPath, const NoteContainers& note) {
    const std::string path = PathBeside(masterXmlPath);
    const wordlist numbers = NumbersOf(note);
    const bool any = std::any_of(numbers.begin(), numbers.end(),
                                 [](const std::string& n) { return !n.empty(); });
    if (!any && !persistence::FileExists(path)) {
        return true;
    }
    try {
        safefile::SaveError error = safefile::SaveError::None;
        std::string message;
        return safefile::ReplaceFile(path, Bytes(note.owner_ma_lo, numbers),
                                     persistence::kMaxArchiveFileBytes, error, message);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace registrationfile
