#include "counting_heap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

// Open-addressing set of the live blocks; it allocates nothing itself.
constexpr std::size_t kSlots = 1 << 18;
void* const kDeleted = reinterpret_cast<void*>(1);
void* slots[kSlots];
long liveBlocks = 0;
std::mutex slotsLock;

std::size_t SlotOf(const void* block) {
    return (reinterpret_cast<std::uintptr_t>(block) >> 4) % kSlots;
}

void Remember(void* block) {
    std::lock_guard<std::mutex> guard(slotsLock);
    for (std::size_t i = SlotOf(block);; i = (i + 1) % kSlots) {
        if (slots[i] == nullptr || slots[i] == kDeleted) {
            slots[i] = block;
            ++liveBlocks;
            return;
        }
    }
}

void Forget(void* block) {
    std::lock_guard<std::mutex> guard(slotsLock);
    for (std::size_t i = SlotOf(block); slots[i] != nullptr; i = (i + 1) % kSlots) {
        if (slots[i] == block) {
            slots[i] = kDeleted;
            --liveBlocks;
            return;
        }
    }
}

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    Remember(block);
    return block;
}

void Release(void* block) {
    if (block != nullptr) {
        Forget(block);
        std::free(block);
    }
}

}  // namespace

long LiveHeapBlocks() {
    std::lock_guard<std::mutex> guard(slotsLock);
    return liveBlocks;
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
