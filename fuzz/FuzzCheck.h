#pragma once

// Shared by the fuzz targets: an invariant that does not hold stops the run with a message, so
// that libFuzzer keeps the input and a replay of the corpus fails loudly.
#include <cstdio>
#include <cstdlib>

namespace korvex::fuzz {

inline void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace korvex::fuzz
