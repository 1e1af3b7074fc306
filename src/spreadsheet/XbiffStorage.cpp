#include "XbiffStorage.h"

#include "Xbiff.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

std::string ReadRest(StreamSource& source) {
    std::string bytes;
    std::size_t n;
    char piece[65536];
    // A source knows its size; it is read in pieces all the same.
    while ((n = static_cast<std::size_t>(
                std::min<std::uint64_t>(source.Size() - bytes.size(), sizeof piece))) > 0) {
        source.Read(piece, n);
        bytes.append(piece, n);
    }
    return bytes;
}

namespace {

// The workbook stream of a compound document, read through libgsf. Holds
// the document (and the bytes it was opened from, when they are its own)
// as long as the stream is read.
class GsfStreamSource : public StreamSource {
public:
    GsfStreamSource(GsfPtr<GsfInput> document, GsfPtr<GsfInfile> storage, GsfPtr<GsfInput> stream,
                    std::uint64_t size, std::unique_ptr<std::string> held)
        : held_(std::move(held)), document_(std::move(document)), storage_(std::move(storage)),
          stream_(std::move(stream)), size_(size) {}

    std::uint64_t Size() const override { return size_; }
    void Read(char* out, std::size_t n) override {
        if (n > size_ - done_) {
            throw EXBiffError(Failure::StreamRead);
        }
        if (n > 0 && gsf_input_read(stream_.get(), n, reinterpret_cast<guint8*>(out)) == nullptr) {
            throw EXBiffError(Failure::StreamRead);
        }
        done_ += n;
    }

private:
    std::unique_ptr<std::string> held_; // declared first: the document reads it until it is gone
    GsfPtr<GsfInput> document_;
    GsfPtr<GsfInfile> storage_;
    GsfPtr<GsfInput> stream_;
    std::uint64_t size_;
    std::uint64_t done_ = 0;
};

// Opens the workbook stream of a compound document. `held` is the memory
// `document` reads from when it is the caller's to give away.
WorkbookData OpenWorkbookStream(GsfPtr<GsfInput> document, std::uint64_t fileSize,
                                std::unique_ptr<std::string> held = nullptr) {
    WorkbookData data;
    GError* error = nullptr;
    GsfPtr<GsfInfile> storage(gsf_infile_msole_new(document.get(), &error));
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
    data.source = std::make_unique<GsfStreamSource>(
        std::move(document), std::move(storage), std::move(stream),
        static_cast<std::uint64_t>(size), std::move(held));
    data.compound = true;
    return data;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A plain record stream read from its file.
class FileSource : public StreamSource {
public:
    FileSource(FilePtr file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

    std::uint64_t Size() const override { return size_; }
    void Read(char* out, std::size_t n) override {
        // A file that has become shorter since it was opened ends the load.
        if (n > size_ - done_ || std::fread(out, 1, n, file_.get()) != n) {
            throw EXBiffError(Failure::StreamRead);
        }
        done_ += n;
    }

private:
    FilePtr file_;
    std::uint64_t size_;
    std::uint64_t done_ = 0;
};

// A plain record stream held in memory of its own.
class MemorySource : public StreamSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}

    std::uint64_t Size() const override { return bytes_.size(); }
    void Read(char* out, std::size_t n) override {
        if (n > bytes_.size() - done_) {
            throw EXBiffError(Failure::StreamRead);
        }
        std::memcpy(out, bytes_.data() + done_, n);
        done_ += n;
    }

private:
    std::string bytes_;
    std::size_t done_ = 0;
};

GsfPtr<GsfInput> MemoryDocument(std::string_view file) {
    InitGsf();
    return GsfPtr<GsfInput>(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()),
                                                 static_cast<gsf_off_t>(file.size()), FALSE));
}

} // namespace

WorkbookData FindWorkbookData(std::string_view file) {
    if (!IsCompoundDocument(file)) {
        return WorkbookData();
    }
    return OpenWorkbookStream(MemoryDocument(file), file.size());
}

WorkbookData ReadWorkbookFile(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw EXBiffError(Failure::OpenFailed);
    }
    struct stat st {};
    const bool regular = fstat(fileno(file.get()), &st) == 0 && S_ISREG(st.st_mode);
    if (regular && static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        throw EXBiffError(Failure::UnknownFormat);
    }
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
        return OpenWorkbookStream(std::move(input), static_cast<std::uint64_t>(st.st_size));
    }
    if (regular) {
        // A plain record stream, read from the start as the records go.
        if (std::fseek(file.get(), 0, SEEK_SET) != 0) {
            throw EXBiffError(Failure::OpenFailed);
        }
        WorkbookData data;
        data.source =
            std::make_unique<FileSource>(std::move(file), static_cast<std::uint64_t>(st.st_size));
        return data;
    }
    // Not a regular file (a pipe, a device): its size is unknown, so it is
    // read whole, at most the cap.
    std::string bytes(signature, head);
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
        // The document reads the bytes where they are: they go to the
        // source with it.
        auto held = std::make_unique<std::string>(std::move(bytes));
        GsfPtr<GsfInput> document = MemoryDocument(*held);
        const std::uint64_t size = held->size();
        return OpenWorkbookStream(std::move(document), size, std::move(held));
    }
    WorkbookData data;
    data.source = std::make_unique<MemorySource>(std::move(bytes));
    return data;
}

} // namespace xbiff
