// Counts heap allocations made by the current thread while counting is on. Include it in exactly
// one source file of a benchmark program: it replaces the global operator new and delete.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace bench
{
inline std::atomic<size_t> g_allocations{0};
inline thread_local bool t_counting = false;

// Counts the allocations of this thread for as long as it lives.
class CountAllocations
{
public:
    CountAllocations() { t_counting = true; }
    ~CountAllocations() { t_counting = false; }
    CountAllocations(const CountAllocations&) = delete;
    CountAllocations& operator=(const CountAllocations&) = delete;
};
} // namespace bench

// The replacements pair malloc with free by design; GCC cannot see that through operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    if (bench::t_counting)
        bench::g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
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
