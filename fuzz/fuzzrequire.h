// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How every fuzz target states a property of what it checks: a broken one is
// said and stops the run, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

inline void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
