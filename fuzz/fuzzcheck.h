// What a harness asserts beyond "no crash": a property that fails aborts, so libFuzzer keeps the
// input under fuzz/crashes/ and the run fails as it does for any other fault.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void fuzzCheck(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}
