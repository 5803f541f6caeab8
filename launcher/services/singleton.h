// Process-wide single instance of a class, created on first use.
//
// A class T derives from Singleton<T>; Singleton<T>::Instance() returns the one
// T. The first caller creates it under a mutex (the pointer is tested, then
// tested again under the lock) and registers an at-exit routine that deletes
// it. T may keep its constructor and destructor private and befriend
// Singleton<T>.
#pragma once

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace TUVAL {
namespace singleton {

template <typename T>
class Singleton {
  public:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static T* Instance() {
        T* instance = instance_.load(std::memory_order_acquire);
        if (instance) return instance;
        std::lock_guard<std::mutex> lock(mutex_);
        instance = instance_.load(std::memory_order_relaxed);
        if (!instance) {
            instance = new T();
            instance_.store(instance, std::memory_order_release);
            std::atexit(&Destroy);
        }
        return instance;
    }

  protected:
    Singleton() = default;
    virtual ~Singleton() = default;

  private:
    static void Destroy() { delete instance_.exchange(nullptr, std::memory_order_acq_rel); }

    // std::mutex has a constexpr constructor, so the lock exists before any
    // code of the process runs.
    static inline std::mutex mutex_;
    static inline std::atomic<T*> instance_{nullptr};
};

}  // namespace singleton
}  // namespace TUVAL
