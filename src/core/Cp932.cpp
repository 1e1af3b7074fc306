#include "Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace cp932 {
namespace {

// One iconv descriptor per direction, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a sequence it cannot take, appends `replacement` and
    // skips `skip(in)` bytes of input.
    template <typename Skip>
    std::string Run(std::string_view in, std::string_view replacement, Skip skip) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        char buffer[1024];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end).
            out.append(replacement);
            size_t n = skip(std::string_view(src, left));
            src += n;
            left -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return n <= s.size() ? n : s.size();
}

size_t Cp932SequenceLength(std::string_view s) {
    return (IsLeadByte(static_cast<unsigned char>(s[0])) && s.size() >= 2) ? 2 : 1;
}

// JIS forms that CP932 spells with other code points.
struct Alias {
    std::string_view from;
    std::string_view to;
};
constexpr Alias kAliases[] = {
    {"\u301C", "\uFF5E"}, // WAVE DASH -> FULLWIDTH TILDE
    {"\u2212", "\uFF0D"}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {"\u2016", "\u2225"}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {"\u00A2", "\uFFE0"}, // CENT SIGN
    {"\u00A3", "\uFFE1"}, // POUND SIGN
    {"\u00AC", "\uFFE2"}, // NOT SIGN
    {"\u2014", "\u2015"}, // EM DASH -> HORIZONTAL BAR
};

// Every alias starts with one of these bytes.
bool MayStartAlias(unsigned char byte) {
    return byte == 0xC2 || byte == 0xE2 || byte == 0xE3;
}

std::string ReplaceAliases(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t copied = 0; // utf8[copied, i) is still to be appended as it is
    size_t i = 0;
    while (i < utf8.size()) {
        if (!MayStartAlias(static_cast<unsigned char>(utf8[i]))) {
            ++i;
            continue;
        }
        const Alias* found = nullptr;
        for (const Alias& a : kAliases) {
            if (utf8.substr(i, a.from.size()) == a.from) {
                found = &a;
                break;
            }
        }
        if (found == nullptr) {
            ++i;
            continue;
        }
        out.append(utf8.substr(copied, i - copied));
        out.append(found->to);
        i += found->from.size();
        copied = i;
    }
    out.append(utf8.substr(copied));
    return out;
}

// ASCII bytes are the same characters in CP932 and UTF-8.
bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    thread_local Converter toUtf8("UTF-8", "CP932");
    return toUtf8.Run(bytes, "\uFFFD", Cp932SequenceLength);
}

std::string FromCodePage(std::string_view bytes, int codePage) {
    if (IsAscii(bytes) || codePage == 932) {
        return std::string(bytes);
    }
    // One descriptor, reopened when another code page is asked for.
    thread_local int openPage = 0;
    thread_local std::unique_ptr<Converter> converter;
    if (openPage != codePage) {
        std::string name = codePage == 367 ? "ASCII"
                           : codePage == 10000 || codePage == 32768
                               ? "MACINTOSH"
                               : "CP" + std::to_string(codePage);
        converter.reset();
        openPage = codePage;
        try {
            converter = std::make_unique<Converter>("UTF-8", name.c_str());
        } catch (const std::runtime_error&) {
            // Not a code page the system knows: the bytes stay as they are.
        }
    }
    if (!converter) {
        return std::string(bytes);
    }
    return FromUtf8(converter->Run(bytes, "?", [](std::string_view) { return size_t{1}; }));
}

std::string LostCharacters(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string();
    }
    thread_local Converter fromUtf8("CP932", "UTF-8");
    std::string lost;
    fromUtf8.Run(ReplaceAliases(utf8), "", [&lost](std::string_view rest) {
        const size_t n = Utf8SequenceLength(rest);
        const std::string_view character = rest.substr(0, n);
        if (lost.find(character) == std::string::npos) {
            lost.append(character);
        }
        return n;
    });
    return lost;
}

std::string FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    thread_local Converter fromUtf8("CP932", "UTF-8");
    return fromUtf8.Run(ReplaceAliases(utf8), "?", Utf8SequenceLength);
}

} // namespace cp932
