#include "runtime_log.h"

#include <atomic>
#include <cstdio>

namespace cef_standin {
namespace {

std::atomic<bool> g_enabled{false};

}  // namespace

void EnableLog(bool enabled) { g_enabled = enabled; }

void Log(const std::string& line) {
    if (!g_enabled) return;
    std::fprintf(stderr, "[libcef] %s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace cef_standin
