// JSON string literals for the command-line tool's output.
#pragma once

#include <string>

namespace cli {

// A JSON string of a UTF-8 text: quotes, backslashes and control characters
// escaped; other characters as they are.
std::string JsonUtf8(const std::string& utf8);

} // namespace cli
