#include "FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Each fuzz target is this file built with the check it runs; a check that fails is a crash, so that
// libFuzzer keeps the input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    String failure = WORDLOOM_FUZZ_CHECK(String(reinterpret_cast<const char*>(data), size));
    if (failure.empty())
        return 0;
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
}
