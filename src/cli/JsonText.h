// JSON string literals for the command-line tool's output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// A JSON string of a UTF-8 text: quotes, backslashes and control characters
// escaped; other characters as they are.
std::string JsonUtf8(const std::string& utf8);

// The same literal appended to `out`.
void AppendJsonUtf8(std::string& out, std::string_view utf8);

// The most bytes the literal of a text of `length` bytes takes.
constexpr std::size_t JsonUtf8Room(std::size_t length) {
    return 6 * length + 2;
}

// Writes the literal at `out`, which has JsonUtf8Room bytes of room;
// returns the end of what was written.
char* WriteJsonUtf8(char* out, std::string_view utf8);

} // namespace cli
