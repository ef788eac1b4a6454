#pragma once
#include <cstdio>
#include <cstdlib>

// A property every input must keep: when it fails the input is a finding, so the fuzzer stops on it and
// keeps the input.
inline void FuzzCheck(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property failed: %s\n", property);
    std::abort();
}
