// Standard output of every command. Commands write to it through std::cout
// or C stdio; a write that the system refused (a full disk, a closed pipe,
// /dev/full) would otherwise go unnoticed, as both keep buffered text until
// the end, so main ends every command through FinishOutput.
#pragma once

#include <string>

namespace cli {

// Flushes standard output and returns `status`; or, when anything written
// to it was lost, writes the reason to standard error and returns 1.
int FinishOutput(int status);

// The line FinishOutput writes for a lost output with the system's error
// number `error` (0 when unknown).
std::string LostOutputMessage(int error);

} // namespace cli
