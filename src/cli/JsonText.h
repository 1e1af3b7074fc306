// JSON string literals for the command-line tool's output.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// A JSON string of a UTF-8 text: quotes, backslashes and control characters
// escaped; other characters as they are.
std::string JsonUtf8(const std::string& utf8);

// The same literal appended to `out`.
void AppendJsonUtf8(std::string& out, std::string_view utf8);

} // namespace cli
