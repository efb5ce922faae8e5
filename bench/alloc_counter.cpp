// The counting allocator. The benchmark program defines malloc itself: the dynamic linker
// then binds every library's malloc calls to these, and they hand the work to glibc's own
// allocator under its internal names. operator new is replaced as the standard allows.
#include "bench/alloc_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void __libc_free(void* pointer);
}

namespace {

// Relaxed atomics: SDL may allocate from a thread of its own.
std::atomic<unsigned long long> new_count{0};
std::atomic<unsigned long long> malloc_count{0};

void* counted_new(size_t size) {
    new_count.fetch_add(1, std::memory_order_relaxed);
    void* pointer = std::malloc(size == 0 ? 1 : size);
    if (pointer == nullptr) {
        // Nothing a benchmark could measure is left once memory runs out.
        std::abort();
    }
    return pointer;
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
    malloc_count.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    malloc_count.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, size_t size) {
    malloc_count.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}

void free(void* pointer) {
    __libc_free(pointer);
}

}  // extern "C"

void* operator new(size_t size) {
    return counted_new(size);
}
void* operator new[](size_t size) {
    return counted_new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    new_count.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    new_count.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* pointer) noexcept {
    std::free(pointer);
}
void operator delete[](void* pointer) noexcept {
    std::free(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
    std::free(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
    std::free(pointer);
}

unsigned long long new_calls() {
    return new_count.load(std::memory_order_relaxed);
}

unsigned long long malloc_calls() {
    return malloc_count.load(std::memory_order_relaxed);
}

double AllocCount::new_per_op(long long operations) const {
    if (operations <= 0) {
        return 0;
    }
    return static_cast<double>(new_calls() - news) / static_cast<double>(operations);
}

double AllocCount::c_malloc_per_op(long long operations) const {
    if (operations <= 0) {
        return 0;
    }
    unsigned long long all = malloc_calls() - mallocs;
    unsigned long long from_new = new_calls() - news;
    return static_cast<double>(all - from_new) / static_cast<double>(operations);
}
