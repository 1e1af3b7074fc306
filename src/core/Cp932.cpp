#include "Cp932.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace cp932 {
namespace {

thread_local std::size_t converterRuns = 0;

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
        ++converterRuns;
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

bool IsSurrogate(char32_t code) {
    return code >= 0xD800 && code <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 to UTF-8: a surrogate pair is its character, a lone surrogate
// U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units) {
    std::string utf8;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(utf8, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(utf8, IsSurrogate(u) ? char32_t{0xFFFD} : char32_t{u});
        }
    }
    return utf8;
}

std::string FromUtf8ThroughCodec(std::string_view utf8) {
    thread_local Converter fromUtf8("CP932", "UTF-8");
    return fromUtf8.Run(ReplaceAliases(utf8), "?", Utf8SequenceLength);
}

// Code points through the codec as the C library's wide characters (UCS-4),
// "?" for each it cannot take.
std::string CodePointsThroughCodec(std::u32string_view codes) {
    static_assert(sizeof(wchar_t) == sizeof(char32_t));
    thread_local Converter fromCodes("CP932", "WCHAR_T");
    const std::string_view bytes(reinterpret_cast<const char*>(codes.data()),
                                 codes.size() * sizeof(char32_t));
    return fromCodes.Run(
        bytes, "?", [](std::string_view rest) { return std::min(rest.size(), sizeof(char32_t)); });
}

// The CP932 code of each character of the basic plane (one byte below
// 0x100, two bytes above), filled a block of 256 characters at a time as
// they are first met: one call of the codec per block, which answers each
// character with exactly one CP932 character or "?" (the codec is
// stateless, so a text converts as its characters do one by one). A long
// Japanese text then costs a table look-up per character.
class BasicPlaneCodes {
public:
    // Appends the CP932 form of `utf8` to `out`; false, with `out` left
    // unspecified, when the text holds something other than well-formed
    // characters of the basic plane (the codec then takes the whole text).
    bool Convert(std::string_view utf8, std::string& out) {
        out.reserve(out.size() + utf8.size());
        std::size_t i = 0;
        while (i < utf8.size()) {
            const unsigned char first = static_cast<unsigned char>(utf8[i]);
            if (first < 0x80) {
                out.push_back(static_cast<char>(first));
                ++i;
                continue;
            }
            char32_t code = 0;
            std::size_t length = 0;
            if (!DecodeBasicPlane(utf8.substr(i), code, length) || !Loaded(code)) {
                return false;
            }
            const std::uint16_t cp932 = codes_[code];
            if (cp932 >= 0x100) {
                out.push_back(static_cast<char>(cp932 >> 8));
            }
            out.push_back(static_cast<char>(cp932 & 0xFF));
            i += length;
        }
        return true;
    }

    // The same for 16-bit units; false when they hold a surrogate. Both
    // bytes of a code are written and the second kept only for a
    // double-byte one: no branch on the kind of character.
    bool Convert(std::u16string_view units, std::string& out) {
        const std::size_t start = out.size();
        out.resize(start + 2 * units.size());
        char* p = out.data() + start;
        for (const char16_t unit : units) {
            if (!Loaded(unit)) {
                return false;
            }
            const std::uint16_t code = codes_[unit];
            const bool two = code >= 0x100;
            p[0] = static_cast<char>(two ? code >> 8 : code);
            p[1] = static_cast<char>(code & 0xFF);
            p += two ? 2 : 1;
        }
        out.resize(static_cast<std::size_t>(p - out.data()));
        return true;
    }

private:
    // A two- or three-byte sequence of U+0080 ... U+FFFF, surrogates excluded.
    static bool DecodeBasicPlane(std::string_view s, char32_t& code, std::size_t& length) {
        const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
        const auto continuation = [&](std::size_t k) {
            return k < s.size() && (byte(k) & 0xC0) == 0x80;
        };
        if ((byte(0) & 0xE0) == 0xC0 && continuation(1)) {
            code = static_cast<char32_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
            length = 2;
            return code >= 0x80;
        }
        if ((byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
            code = static_cast<char32_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 |
                                         (byte(2) & 0x3F));
            length = 3;
            return code >= 0x800 && !IsSurrogate(code);
        }
        return false;
    }

    // True when the code of `code` is in the table (its block loaded now if
    // need be); false for surrogates and for a block the codec did not
    // answer one to one.
    bool Loaded(char32_t code) { return loaded_[code >> 8] || Load(code >> 8); }

    // A block goes through the codec as code points: one step, so that a
    // character it cannot take costs no more than one it can (from UTF-8,
    // the codec converts the rest of its input again at each of them,
    // which made a block of kanji cost millions of steps). The JIS forms
    // that CP932 spells with other code points then take their codes.
    bool Load(unsigned block) {
        if (block >= 0xD8 && block <= 0xDF) {
            return false; // surrogates: never in the table
        }
        std::u32string codes;
        for (char32_t c = block << 8; c < (block + 1) << 8; ++c) {
            codes.push_back(c);
        }
        if (!Store(block << 8, codes.size(), CodePointsThroughCodec(codes))) {
            return false;
        }
        for (const Alias& alias : kAliases) {
            char32_t from = 0;
            std::size_t length = 0;
            if (DecodeBasicPlane(alias.from, from, length) && from >> 8 == block &&
                !Store(from, 1, FromUtf8ThroughCodec(alias.from))) {
                return false;
            }
        }
        loaded_[block] = true;
        return true;
    }

    // Keeps the codes of the `count` characters from `first` on, given one
    // CP932 character each in `cp932`; false when the codec did not answer
    // one to one.
    bool Store(char32_t first, std::size_t count, std::string_view cp932) {
        std::size_t at = 0;
        for (char32_t c = first; c < first + count; ++c) {
            if (at >= cp932.size()) {
                return false;
            }
            const unsigned char lead = static_cast<unsigned char>(cp932[at]);
            if (IsLeadByte(lead) && at + 1 < cp932.size()) {
                codes_[c] = static_cast<std::uint16_t>(lead << 8 |
                                                       static_cast<unsigned char>(cp932[at + 1]));
                at += 2;
            } else {
                codes_[c] = lead;
                at += 1;
            }
        }
        return at == cp932.size();
    }

    std::array<std::uint16_t, 0x10000> codes_; // blocks filled by Load
    std::array<bool, 0x100> loaded_{};
};

// The UTF-8 of a CP932 character: its length (1 to 3) and the bytes.
struct Utf8Of {
    std::uint8_t length;
    char bytes[3];
};

// The UTF-8 of every CP932 character: a double-byte one by its two bytes,
// a single byte by itself. The single bytes are filled at once, the
// double-byte characters a lead byte at a time as texts first hold it: one
// call of the converter for the 256 pairs that start with it (a window's
// texts need a dozen of the 60 lead bytes).
class DoubleByteTable {
public:
    DoubleByteTable() {
        std::string input;
        for (int single = 0x80; single < 0x100; ++single) {
            if (!IsLeadByte(static_cast<unsigned char>(single))) {
                input.push_back(static_cast<char>(single));
            }
        }
        std::size_t at = 0;
        const std::string utf8 = ToUtf8ByConverter(input);
        singlesOk_ = true;
        for (int single = 0x80; single < 0x100 && singlesOk_; ++single) {
            if (!IsLeadByte(static_cast<unsigned char>(single))) {
                singlesOk_ = Next(utf8, at, singles_[single - 0x80]);
            }
        }
        singlesOk_ = singlesOk_ && at == utf8.size();
        for (int byte = 0; byte < 0x100; ++byte) {
            kind_[byte].store(IsLeadByte(static_cast<unsigned char>(byte)) ? kRowToLoad : kSingle,
                              std::memory_order_relaxed);
        }
    }

    // Appends the UTF-8 of `text` to `out`; false, with `out` as it was,
    // when the converter did not answer one to one (it then takes the
    // whole text).
    bool Append(std::string_view text, std::string& out) {
        if (!singlesOk_) {
            return false;
        }
        // At most three bytes of UTF-8 a byte (a single-byte katakana),
        // written in place, each character's three bytes at once.
        const std::size_t start = out.size();
        out.resize(start + 3 * text.size() + 3);
        char* p = out.data() + start;
        const char* const end = text.data() + text.size();
        for (const char* at = text.data(); at != end; ++at) {
            const unsigned char c = static_cast<unsigned char>(*at);
            if (c < 0x80) {
                *p++ = static_cast<char>(c);
                continue;
            }
            const Utf8Of* entry;
            const Kind kind = kind_[c].load(std::memory_order_acquire);
            if (kind == kSingle) {
                entry = &singles_[c - 0x80];
            } else if (at + 1 == end) {
                entry = &kCutOff; // a lead byte that ends the text
            } else if (kind == kRowLoaded || LoadRow(c)) {
                entry = &doubles_[(c - 0x80) * 0x100 + static_cast<unsigned char>(*++at)];
            } else {
                out.resize(start);
                return false;
            }
            std::memcpy(p, entry->bytes, 3);
            p += entry->length;
        }
        out.resize(static_cast<std::size_t>(p - out.data()));
        return true;
    }

private:
    // Reads the character at `at` of the converter's answer into `entry`.
    static bool Next(const std::string& utf8, std::size_t& at, Utf8Of& entry) {
        if (at >= utf8.size()) {
            return false;
        }
        const unsigned char first = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : 3;
        if (at + length > utf8.size() || first >= 0xF0) {
            return false;
        }
        entry.length = static_cast<std::uint8_t>(length);
        std::memcpy(entry.bytes, utf8.data() + at, length);
        std::memset(entry.bytes + length, 0, 3 - length);
        at += length;
        return true;
    }

    // The lead byte with every byte after it through the converter, which
    // gives exactly one character for each pair (U+FFFD for those that are
    // not CP932), read back in order.
    bool LoadRow(unsigned char lead) {
        const std::lock_guard<std::mutex> lock(loading_);
        if (kind_[lead].load(std::memory_order_relaxed) == kRowLoaded) {
            return true; // another thread filled it meanwhile
        }
        std::string input;
        for (int trail = 0; trail < 0x100; ++trail) {
            input.push_back(static_cast<char>(lead));
            input.push_back(static_cast<char>(trail));
        }
        const std::string utf8 = ToUtf8ByConverter(input);
        std::size_t at = 0;
        for (int trail = 0; trail < 0x100; ++trail) {
            if (!Next(utf8, at, doubles_[(lead - 0x80) * 0x100 + trail])) {
                return false;
            }
        }
        if (at != utf8.size()) {
            return false;
        }
        kind_[lead].store(kRowLoaded, std::memory_order_release);
        return true;
    }

    static constexpr Utf8Of kCutOff{3, {'\xEF', '\xBF', '\xBD'}};
    std::array<Utf8Of, 0x80 * 0x100> doubles_; // rows filled by LoadRow
    std::array<Utf8Of, 0x80> singles_;
    // What each byte is: one look-up for every branch of the loop above. A
    // row is filled under the lock and marked loaded after it, so that a
    // thread that sees the mark sees the row.
    enum Kind : std::uint8_t { kSingle, kRowToLoad, kRowLoaded };
    std::array<std::atomic<Kind>, 0x100> kind_;
    std::mutex loading_;
    bool singlesOk_;
};

// This thread's table to CP932, made with new on first use
// (default-initialized: only the blocks filled take memory).
BasicPlaneCodes& ThisThreadsCodes() {
    thread_local BasicPlaneCodes* codes = nullptr;
    if (codes == nullptr) {
        thread_local const std::unique_ptr<BasicPlaneCodes> owner(new BasicPlaneCodes);
        codes = owner.get();
    }
    return *codes;
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

std::size_t ConverterRuns() {
    return converterRuns;
}

std::string ToUtf8ByConverter(std::string_view bytes) {
    thread_local Converter toUtf8("UTF-8", "CP932");
    return toUtf8.Run(bytes, "\uFFFD", Cp932SequenceLength);
}

void AppendToUtf8(std::string_view bytes, std::string& out) {
    // Static: the rows not filled are never written, so they take no memory.
    static DoubleByteTable table;
    if (!table.Append(bytes, out)) {
        out += ToUtf8ByConverter(bytes);
    }
}

std::string ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    AppendToUtf8(bytes, out);
    return out;
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
    std::string out;
    if (ThisThreadsCodes().Convert(utf8, out)) {
        return out;
    }
    return FromUtf8ThroughCodec(utf8);
}

void AppendFromUtf16(std::u16string_view units, std::string& out) {
    const std::size_t start = out.size();
    std::size_t ascii = 0;
    while (ascii < units.size() && units[ascii] < 0x80) {
        ++ascii;
    }
    if (ascii == units.size()) {
        out.append(units.begin(), units.end());
        return;
    }
    if (!ThisThreadsCodes().Convert(units, out)) {
        out.resize(start);
        out += FromUtf8ThroughCodec(Utf16ToUtf8(units));
    }
}

std::string FromUtf16(std::u16string_view units) {
    std::string out;
    AppendFromUtf16(units, out);
    return out;
}

} // namespace cp932
