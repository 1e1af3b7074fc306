#include "MasterFile.h"

#include "ArchiveObjects.h"
#include "Archives.h"
#include "Cp932.h"
#include "FileIO.h"
#include "RegisterSelection.h"
#include "RegistrationFile.h"

#include <boost/archive/archive_exception.hpp>

#include <filesystem>
#include <sstream>

namespace masterfile {
namespace {

using boost::archive::archive_exception;
using persistence::ReadStatus;

void ShowCaution(NoteWindow& window, const std::string& text) {
    window.ShowMessage(S("注意"), text);
}

// Writes one master file; reports a failure with message 1.
template <class MakeBytes>
void WriteOne(const char* path, MakeBytes makeBytes, NoteWindow& window) {
    try {
        persistence::ReplaceFile(path, makeBytes());
    } catch (const std::exception&) {
        ShowCaution(window, S("保存に失敗しました1"));
    } catch (...) {
    }
}

enum class MasterRead { Read, Missing, Unreadable, Damaged };

MasterRead ReadMaster(const std::string& path, NoteContainers& note, ownerlist& issuers,
                      customerlist& customers, wordlist& w1, wordlist& w2, wordlist& w3,
                      NoteWindow& window) {
    std::string bytes;
    const ReadStatus status = persistence::ReadWholeFile(path, bytes);
    if (status == ReadStatus::Missing) {
        return MasterRead::Missing;
    }
    if (status == ReadStatus::CannotOpen) {
        return MasterRead::Unreadable;
    }
    try {
        if (status != ReadStatus::Ok) {
            throw archive_exception(archive_exception::input_stream_error, path.c_str());
        }
        std::istringstream in(bytes);
        persistence::XmlIArchive ar(in);
        persistence::ReadMasterObjects(ar, note, issuers, customers, w1, w2, w3);
        ar.Finish();
    } catch (const std::exception&) {
        ShowCaution(window, S("読み込めない形式です21"));
        return MasterRead::Damaged;
    } catch (...) {
        return MasterRead::Damaged;
    }
    return MasterRead::Read;
}

bool KeepCopyOfUnreadable(const std::string& path) {
    const std::string backup = BackupName(path);
    return !backup.empty() && persistence::CopyFile(path, backup);
}

// The path as the user finds it: absolute, in code page 932.
std::string ShownPath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return cp932::FromUtf8(absolute.empty() ? path : absolute.string());
}

} // namespace

owner SampleIssuer() {
    return owner(S("見本事務所"), S("ミホンジムショ"), "000-0000", S("東京都X区X町X丁目X番X号"),
                 S("見本ビルX階X号室"), "office@example.jp", 1001, "000-0000-0000",
                 S("見本銀行　見本支店"), S("普 0000000"));
}

customer SampleCustomer() {
    return customer(S("見本太郎"), S("ミホンタロウ"), "000-0000", S("大阪府X市X区X町X丁目X番X号"),
                    S("見本マンションX号室"), "customer@example.jp", 10001);
}

bool ReadMasterFile(const std::string& path, NoteContainers& note, ownerlist& issuers,
                    customerlist& customers, wordlist& w1, wordlist& w2, wordlist& w3,
                    NoteWindow& window) {
    return ReadMaster(path, note, issuers, customers, w1, w2, w3, window) == MasterRead::Read;
}

std::string BackupName(const std::string& path) {
    for (int n = 1; n <= 100; ++n) {
        const std::string name = path + ".bak" + (n == 1 ? std::string() : std::to_string(n));
        if (!persistence::FileExists(name)) {
            return name;
        }
    }
    return std::string();
}

void LoadMasterAtStartup(NoteContainers& note, NoteWindow& window) {
    note.int_owner_no = 0;
    note.int_customer_no = 0;
    const ownerlist sampleIssuers{SampleIssuer()};
    const customerlist sampleCustomers{SampleCustomer()};

    ownerlist issuers;
    customerlist customers;
    wordlist w1, w2, w3;
    note.masterfileKept.clear();
    const MasterRead read = ReadMaster(kMasterXml, note, issuers, customers, w1, w2, w3, window);
    if (read != MasterRead::Read) {
        // An existing file this run could not use still holds the user's
        // registers: it is replaced at close only when a copy of it was
        // kept first.
        if (read == MasterRead::Unreadable) {
            note.masterfileKept =
                ShownPath(kMasterXml) + "\n" + S("読み込めなかったので書き換えていません");
        } else if (read == MasterRead::Damaged && !KeepCopyOfUnreadable(kMasterXml)) {
            note.masterfileKept =
                ShownPath(kMasterXml) + "\n" + S("控えを作れなかったので書き換えていません");
        }
        if (issuers.size() <= sampleIssuers.size()) {
            issuers = sampleIssuers;
        }
        if (customers.size() <= sampleCustomers.size()) {
            customers = sampleCustomers;
        }
        registers::SetDefaultWords(note);
        window.SetStatus("no masterfile then default data");
    }
    if (!issuers.empty() && !customers.empty()) {
        // A damaged file is the only source of a position outside its
        // register; the first entry is chosen then.
        note.int_owner_no = registers::ValidIndex(note.int_owner_no, issuers.size());
        note.int_customer_no = registers::ValidIndex(note.int_customer_no, customers.size());
        note.owner_ma_lo = issuers;
        note.customer_ma_lo = customers;
        note.owner1 = {issuers[static_cast<size_t>(note.int_owner_no)]};
        note.customer1 = {customers[static_cast<size_t>(note.int_customer_no)]};
        registrationfile::LoadNumbers(kMasterXml, note, window);
    }
    if (!w1.empty()) {
        note.menuitem1 = w1;
    }
    if (!w2.empty()) {
        note.menuitem2 = w2;
    }
    if (!w3.empty()) {
        note.menuitem3 = w3;
    }
}

std::string MasterTextBytes(const NoteContainers& note) {
    std::ostringstream out;
    {
        persistence::TextOArchive ar(out);
        persistence::WriteMasterObjects(ar, note);
    }
    if (!out) {
        throw archive_exception(archive_exception::output_stream_error);
    }
    return out.str();
}

std::string MasterXmlBytes(const NoteContainers& note) {
    std::ostringstream out;
    {
        persistence::XmlOArchive ar(out);
        persistence::WriteMasterObjects(ar, note);
        ar.Finish();
    }
    if (!out) {
        throw archive_exception(archive_exception::output_stream_error);
    }
    return out.str();
}

void SaveMasterFiles(const NoteContainers& note, NoteWindow& window) {
    if (note.owner_ma_lo.empty()) {
        return;
    }
    if (!note.masterfileKept.empty()) {
        ShowCaution(window, S("保存に失敗しました1") + "\n" + note.masterfileKept);
        return;
    }
    WriteOne(
        kMasterDat, [&] { return MasterTextBytes(note); }, window);
    WriteOne(
        kMasterXml, [&] { return MasterXmlBytes(note); }, window);
    if (!registrationfile::SaveNumbers(kMasterXml, note)) {
        ShowCaution(window, S("保存に失敗しました1"));
    }
}

} // namespace masterfile
