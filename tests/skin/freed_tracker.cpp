#include "freed_tracker.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kRemembered = 1 << 16;
const void* g_freed[kRemembered];
std::atomic<size_t> g_count{0};

void Remember(void* pointer) {
    if (!pointer) return;
    size_t slot = g_count.fetch_add(1);
    if (slot < kRemembered) g_freed[slot] = pointer;
}

}  // namespace

void ForgetFreed() { g_count = 0; }

bool WasFreed(const void* pointer) {
    size_t count = g_count.load();
    for (size_t i = 0; i < count && i < kRemembered; ++i) {
        if (g_freed[i] == pointer) return true;
    }
    return false;
}

void* operator new(std::size_t size) {
    void* pointer = std::malloc(size ? size : 1);
    if (!pointer) throw std::bad_alloc();
    return pointer;
}

void operator delete(void* pointer) noexcept {
    Remember(pointer);
    std::free(pointer);
}

void operator delete(void* pointer, std::size_t) noexcept {
    Remember(pointer);
    std::free(pointer);
}
