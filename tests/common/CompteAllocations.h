#pragma once

// Counts the program's heap allocations, for the benchmarks that check a hot
// path allocates nothing. It replaces the global operator new and delete:
// include it in exactly one source of a program.

#include <atomic>
#include <cstdlib>
#include <new>

namespace compte_allocations {
inline std::atomic<long> allocations{0};
} // namespace compte_allocations

void* operator new(std::size_t taille)
{
    compte_allocations::allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(taille == 0 ? 1 : taille))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
