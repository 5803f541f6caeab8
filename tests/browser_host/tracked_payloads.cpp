#include "tracked_payloads.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Fixed slots: operator delete must not allocate.
constexpr int kSlots = 256;
std::atomic<void*> slots[kSlots];
std::atomic<long> undeleted{0};

void Forget(void* block) {
    if (!block || undeleted.load() == 0) return;
    for (auto& slot : slots) {
        void* expected = block;
        if (slot.compare_exchange_strong(expected, nullptr)) {
            --undeleted;
            return;
        }
    }
}

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    return block;
}

void Release(void* block) {
    Forget(block);
    std::free(block);
}

}  // namespace

std::string* NewTrackedPayload(const std::string& text) {
    auto* payload = new std::string(text);
    for (auto& slot : slots) {
        void* expected = nullptr;
        if (slot.compare_exchange_strong(expected, payload)) {
            ++undeleted;
            break;
        }
    }
    return payload;
}

long UndeletedPayloads() { return undeleted.load(); }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
