#include "XbiffStorage.h"

#include "Xbiff.h"

#include <gsf/gsf.h>

#include <memory>
#include <mutex>
#include <strings.h>

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

WorkbookData FindWorkbookData(std::string_view file) {
    WorkbookData data;
    data.file = file;
    if (!IsCompoundDocument(file)) {
        return data;
    }
    InitGsf();
    GsfPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()),
                                                static_cast<gsf_off_t>(file.size()), FALSE));
    GError* error = nullptr;
    GsfPtr<GsfInfile> storage(gsf_infile_msole_new(input.get(), &error));
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
    if (size < 0 || static_cast<std::uint64_t>(size) > file.size()) {
        throw EXBiffError(Failure::StreamRead);
    }
    data.stream.resize(static_cast<size_t>(size));
    if (size > 0 && gsf_input_read(stream.get(), static_cast<size_t>(size),
                                   reinterpret_cast<guint8*>(data.stream.data())) == nullptr) {
        throw EXBiffError(Failure::StreamRead);
    }
    data.compound = true;
    return data;
}

} // namespace xbiff
