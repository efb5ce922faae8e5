// Counts heap allocations made anywhere in the benchmark program: operator new (our C++ code
// and the standard library) and malloc (the same, plus SDL, SDL_image, SDL_ttf and the C
// library). The counters only grow; a benchmark reads them before and after its loop.
#pragma once

// operator new and operator new[] calls, all forms except the over-aligned ones.
unsigned long long new_calls();
// malloc, calloc and realloc calls from any library, operator new's own included.
unsigned long long malloc_calls();

// The counts over a stretch of code: take one before, call per_op at the end.
struct AllocCount {
    unsigned long long news = new_calls();
    unsigned long long mallocs = malloc_calls();

    // Allocations per operation since construction, for `operations` operations.
    double new_per_op(long long operations) const;
    // malloc-family calls not made by operator new (SDL and the C library), per operation.
    double c_malloc_per_op(long long operations) const;
};
