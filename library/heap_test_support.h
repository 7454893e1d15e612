// A tracking allocator for the native tests: every heap allocation and
// release of the process is counted through the AddressSanitizer
// allocator's hooks, so that a test can tell whether an operation
// allocated anything at all, and whether the heap holds exactly as many
// bytes afterwards as before. Without AddressSanitizer, Available() is
// false and the tests that need it skip.
#ifndef ZUBO_LIBRARY_HEAP_TEST_SUPPORT_H
#define ZUBO_LIBRARY_HEAP_TEST_SUPPORT_H

#include <stddef.h>

#if defined(__SANITIZE_ADDRESS__)
#define ZUBO_HEAP_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUBO_HEAP_HOOKS 1
#endif
#endif

#ifdef ZUBO_HEAP_HOOKS
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void *, size_t),
                                              void (*free_hook)(const volatile void *));
size_t __sanitizer_get_allocated_size(const volatile void *p);
}
#endif

namespace zubo_test {

class HeapWatch {
public:
    static bool Available() {
#ifdef ZUBO_HEAP_HOOKS
        static const bool installed =
            __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
        return installed;
#else
        return false;
#endif
    }

    HeapWatch() {
        Available();
        allocations_ = Allocations();
        bytes_ = Bytes();
    }

    // Allocations made since the watch started.
    long long AllocationsSince() const { return Allocations() - allocations_; }
    // Bytes the heap holds now beyond what it held when the watch started.
    long long BytesHeldSince() const { return Bytes() - bytes_; }

private:
#ifdef ZUBO_HEAP_HOOKS
    static void OnMalloc(const volatile void *, size_t size) {
        ++Allocations();
        Bytes() += static_cast<long long>(size);
    }
    static void OnFree(const volatile void *p) {
        if (p) Bytes() -= static_cast<long long>(__sanitizer_get_allocated_size(p));
    }
#endif
    static long long &Allocations() {
        static long long n = 0;
        return n;
    }
    static long long &Bytes() {
        static long long n = 0;
        return n;
    }

    long long allocations_ = 0, bytes_ = 0;
};

}  // namespace zubo_test

#endif
