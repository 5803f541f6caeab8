// Prints how long the machine identifier and one statistics report take.
// The report goes to <server>/t.gif, where <server> is the first argument or
// HLVN_TEST_SERVER (the loopback test server).
#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "services/statistics_context.h"
#include "settings/machine_id.h"

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

std::wstring TimeMachineId() {
    Clock::time_point start = Clock::now();
    const std::wstring id = GetMachineId();
    std::printf("GetMachineId, first call:   %12.1f us (%ls)\n", MicrosecondsSince(start),
                id.c_str());

    const int repeats = 100000;
    start = Clock::now();
    for (int i = 0; i < repeats; ++i) GetMachineId();
    std::printf("GetMachineId, later calls:  %12.3f us each (mean of %d)\n",
                MicrosecondsSince(start) / repeats, repeats);
    return id;
}

void TimeReports(const std::wstring& id, const char* server) {
    if (!server) {
        std::printf("Report: skipped, no server given\n");
        return;
    }
    const StatisticsContext context(id, 0, std::string(server) + "/t.gif");
    for (int i = 1; i <= 5; ++i) {
        const Clock::time_point start = Clock::now();
        const bool sent = context.Report(L"clientRun");
        std::printf("Report #%d:                  %12.1f us (%s)\n", i, MicrosecondsSince(start),
                    sent ? "sent" : "failed");
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The launcher's entry initialises COM before the first report; under Wine
    // a process's first CoInitialize can take seconds, so it is timed apart.
    const Clock::time_point start = Clock::now();
    CoInitialize(nullptr);
    std::printf("CoInitialize (the entry's): %12.1f us\n", MicrosecondsSince(start));

    const std::wstring id = TimeMachineId();
    TimeReports(id, argc > 1 ? argv[1] : std::getenv("HLVN_TEST_SERVER"));
    CoUninitialize();
    return 0;
}
