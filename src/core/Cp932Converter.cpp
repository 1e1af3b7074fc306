#include "Cp932Converter.h"

#include "Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace cp932 {
namespace {

thread_local std::size_t converterRuns = 0;

std::size_t Cp932SequenceLength(std::string_view s) {
    return (IsLeadByte(static_cast<unsigned char>(s[0])) && s.size() >= 2) ? 2 : 1;
}

// Every alias starts with one of these bytes.
bool MayStartAlias(unsigned char byte) {
    return byte == 0xC2 || byte == 0xE2 || byte == 0xE3;
}

} // namespace

namespace converter {

Converter::Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
}

Converter::~Converter() {
    iconv_close(static_cast<iconv_t>(cd_));
}

std::string Converter::Run(std::string_view in, std::string_view replacement,
                           const std::function<std::size_t(std::string_view rest)>& skip) {
    ++converterRuns;
    const iconv_t cd = static_cast<iconv_t>(cd_);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buffer[1024];
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        const size_t rc = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // EILSEQ or EINVAL (a sequence cut off at the end).
        out.append(replacement);
        const size_t n = skip(std::string_view(src, left));
        src += n;
        left -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::size_t Utf8SequenceLength(std::string_view s) {
    const unsigned char c = static_cast<unsigned char>(s[0]);
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return n <= s.size() ? n : s.size();
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

std::string FromUtf8(std::string_view utf8) {
    thread_local Converter fromUtf8("CP932", "UTF-8");
    return fromUtf8.Run(ReplaceAliases(utf8), "?", Utf8SequenceLength);
}

std::string FromCodePoints(std::u32string_view codes) {
    static_assert(sizeof(wchar_t) == sizeof(char32_t));
    thread_local Converter fromCodes("CP932", "WCHAR_T");
    const std::string_view bytes(reinterpret_cast<const char*>(codes.data()),
                                 codes.size() * sizeof(char32_t));
    return fromCodes.Run(
        bytes, "?", [](std::string_view rest) { return std::min(rest.size(), sizeof(char32_t)); });
}

} // namespace converter

std::size_t ConverterRuns() {
    return converterRuns;
}

std::string ToUtf8ByConverter(std::string_view bytes) {
    thread_local converter::Converter toUtf8("UTF-8", "CP932");
    return toUtf8.Run(bytes, "\uFFFD", Cp932SequenceLength);
}

} // namespace cp932
