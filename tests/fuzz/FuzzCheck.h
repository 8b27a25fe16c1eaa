#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a fuzz target. A broken one aborts, which libFuzzer reports as a crash with the input that
// caused it, and which fails the corpus replay in the test suite.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
