// The libFuzzer entry point every target defines. The same source builds a
// fuzzer (clang, -fsanitize=fuzzer) and a replay program (ReplayMain.cpp)
// that runs the seed corpus as an ordinary test.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
