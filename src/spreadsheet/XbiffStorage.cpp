#include "XbiffStorage.h"

#include "Xbiff.h"

#include <gsf/gsf.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <strings.h>
#include <sys/stat.h>

namespace xbiff {
namespace {

constexpr std::string_view kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T> using GsfPtr = std::unique_ptr<T, GObjectUnref>;

// libgsf reports damaged documents as warnings and failed checks on
// standard error; the damage reaches the caller as an error of the load
// instead.
void QuietLog(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void InitGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        for (const char* domain : {"libgsf", "libgsf:msole", "GLib-GObject"}) {
            g_log_set_handler(domain,
                              static_cast<GLogLevelFlags>(
                                  G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE |
                                  G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG),
                              QuietLog, nullptr);
        }
    });
}

// The index of the child named `name` (any case), or -1.
int FindChild(GsfInfile* storage, const char* name) {
    const int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i) {
        const char* child = gsf_infile_name_by_index(storage, i);
        if (child != nullptr && strcasecmp(child, name) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

bool IsCompoundDocument(std::string_view file) {
    return file.substr(0, 8) == kSignature;
}

namespace {

// The workbook stream of an opened compound document, read into `data`.
void ReadWorkbookStream(GsfInput* input, std::uint64_t fileSize, WorkbookData& data) {
    GError* error = nullptr;
    GsfPtr<GsfInfile> storage(gsf_infile_msole_new(input, &error));
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!storage) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    int index = FindChild(storage.get(), "Workbook");
    data.kind = 5;
    if (index < 0) {
        index = FindChild(storage.get(), "Book");
        data.kind = 4;
    }
    if (index < 0) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    GsfPtr<GsfInput> stream(gsf_infile_child_by_index(storage.get(), index));
    if (!stream) {
        throw EXBiffError(Failure::StreamRead);
    }
    // A stream of a compound document cannot be larger than the document.
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || static_cast<std::uint64_t>(size) > fileSize) {
        throw EXBiffError(Failure::StreamRead);
    }
    data.stream.resize(static_cast<size_t>(size));
    if (size > 0 && gsf_input_read(stream.get(), static_cast<size_t>(size),
                                   reinterpret_cast<guint8*>(data.stream.data())) == nullptr) {
        throw EXBiffError(Failure::StreamRead);
    }
    data.compound = true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

WorkbookData FindWorkbookData(std::string_view file) {
    WorkbookData data;
    data.file = file;
    if (!IsCompoundDocument(file)) {
        return data;
    }
    InitGsf();
    GsfPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()),
                                                static_cast<gsf_off_t>(file.size()), FALSE));
    ReadWorkbookStream(input.get(), file.size(), data);
    return data;
}

WorkbookData ReadWorkbookFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw EXBiffError(Failure::OpenFailed);
    }
    struct stat st {};
    const bool regular = fstat(fileno(file.get()), &st) == 0 && S_ISREG(st.st_mode);
    if (regular && static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        throw EXBiffError(Failure::UnknownFormat);
    }
    WorkbookData data;
    char signature[8];
    const size_t head = std::fread(signature, 1, sizeof signature, file.get());
    if (regular && IsCompoundDocument(std::string_view(signature, head))) {
        file.reset();
        InitGsf();
        GError* error = nullptr;
        GsfPtr<GsfInput> input(gsf_input_stdio_new(path.c_str(), &error));
        if (error != nullptr) {
            g_error_free(error);
        }
        if (!input) {
            throw EXBiffError(Failure::OpenFailed);
        }
        ReadWorkbookStream(input.get(), static_cast<std::uint64_t>(st.st_size), data);
        return data;
    }
    // A plain record stream (or a compound document that is not a regular
    // file, read like one held in memory): the whole file, at most the cap.
    std::string& bytes = data.stream;
    if (regular) {
        bytes.reserve(static_cast<size_t>(st.st_size));
    }
    bytes.assign(signature, head);
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + n > kMaxFileSize) {
            throw EXBiffError(Failure::UnknownFormat);
        }
        bytes.append(buffer, n);
    }
    if (std::ferror(file.get())) {
        throw EXBiffError(Failure::OpenFailed);
    }
    if (IsCompoundDocument(bytes)) {
        WorkbookData fromMemory = FindWorkbookData(bytes);
        data.kind = fromMemory.kind;
        data.stream = std::move(fromMemory.stream);
        data.compound = true;
        return data;
    }
    data.compound = true; // the records are the bytes read, held in `stream`
    return data;
}

} // namespace xbiff
