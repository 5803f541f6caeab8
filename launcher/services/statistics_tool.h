// The launch counter and the entry point of usage statistics for the windows.
#pragma once

#include <cstdint>
#include <string>

#include "services/singleton.h"

class StatisticsTool : public TUVAL::singleton::Singleton<StatisticsTool> {
  public:
    // "lunchNum" before this launch was counted; 0 on a machine's first launch.
    int32_t LaunchCount() const;

    // Reports an event through the process's StatisticsContext; true when the
    // request was sent and its transfer completed.
    bool SendEvent(const std::wstring& event) const;

  private:
    friend class TUVAL::singleton::Singleton<StatisticsTool>;

    // Reads "lunchNum" and writes it back advanced by one.
    StatisticsTool();
    ~StatisticsTool() override = default;

    int32_t launchCount_ = 0;
};
