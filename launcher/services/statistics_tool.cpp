#include "services/statistics_tool.h"

#include "services/statistics_context.h"
#include "settings/registry_key.h"

namespace {

const wchar_t kLauncherUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\hlvn";
const wchar_t kLaunchCountValue[] = L"lunchNum";

}  // namespace

StatisticsTool::StatisticsTool() {
    RegistryKey registry;
    registry.SetRoot(HKEY_CURRENT_USER);
    DWORD counter = 0;
    registry.ReadDword(kLauncherUninstallKey, kLaunchCountValue, counter);
    launchCount_ = static_cast<int32_t>(counter);
    registry.WriteDword(kLauncherUninstallKey, kLaunchCountValue, counter + 1);
}

int32_t StatisticsTool::LaunchCount() const { return launchCount_; }

bool StatisticsTool::SendEvent(const std::wstring& event) const {
    return StatisticsContext::Get().Report(event);
}
