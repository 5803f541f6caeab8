#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "services/singleton.h"

namespace {

std::atomic<int> constructions{0};

class Counted : public TUVAL::singleton::Singleton<Counted> {
  private:
    friend class TUVAL::singleton::Singleton<Counted>;
    Counted() {
        ++constructions;
        // Widens the window in which racing callers find no instance yet.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~Counted() override = default;
};

class ExitProbe : public TUVAL::singleton::Singleton<ExitProbe> {
  private:
    friend class TUVAL::singleton::Singleton<ExitProbe>;
    ExitProbe() = default;
    // Proves the at-exit deletion through the exit code.
    ~ExitProbe() override { std::_Exit(7); }
};

TEST(Singleton, RacingCallersShareOneInstance) {
    std::atomic<bool> go{false};
    std::vector<Counted*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] {
            while (!go) std::this_thread::yield();
            seen[i] = Counted::Instance();
        });
    }
    go = true;
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(constructions, 1);
    for (Counted* instance : seen) EXPECT_EQ(instance, seen[0]);
    EXPECT_EQ(Counted::Instance(), seen[0]);
}

TEST(SingletonDeathTest, InstanceIsDeletedAtExit) {
    EXPECT_EXIT(
        {
            ExitProbe::Instance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
