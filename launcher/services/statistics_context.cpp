#include "services/statistics_context.h"

#include <windows.h>
#include <wininet.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <cwchar>
#include <utility>

#include <curl/curl.h>

#include "settings/machine_id.h"
#include "settings/registry_key.h"
#include "settings/text_codec.h"

namespace {

const wchar_t kSiblingUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\vesk2";
const long kTimeoutSeconds = 2;

int32_t ReadPosId() {
    RegistryKey registry;
    registry.SetRoot(HKEY_CURRENT_USER);
    std::wstring text;
    DWORD type = 0;
    if (registry.ReadString(kSiblingUninstallKey, L"posId", text, type) != ERROR_SUCCESS) return 0;
    return ParsePosId(text);
}

size_t AppendToString(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

}  // namespace

int32_t ParsePosId(const std::wstring& text) {
    errno = 0;
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<int32_t>(value);
}

bool IsNetworkConnected() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

StatisticsContext::StatisticsContext(std::wstring uid, int32_t posId, std::string endpoint,
                                     ConnectivityProbe isConnected)
    : uid_(std::move(uid)),
      posId_(posId),
      endpoint_(std::move(endpoint)),
      isConnected_(isConnected) {}

StatisticsContext& StatisticsContext::Get() {
    static StatisticsContext context(GetMachineId(), ReadPosId(), HLVN_STATISTICS_URL);
    return context;
}

bool StatisticsContext::Report(const std::wstring& event) const {
    if (posId_ == -1) return false;
    if (!isConnected_()) return false;
    const std::string url = WideToUtf8(BuildBriefUrl(event));

    curl_global_init(CURL_GLOBAL_ALL);
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    std::string response;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, static_cast<curl_read_callback>(nullptr));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, static_cast<curl_slist*>(nullptr));
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return result == CURLE_OK;
}

std::wstring StatisticsContext::BuildBriefUrl(const std::wstring& event) const {
    return FormatWide(L"%s?ca=webgame&ps=%d&ad=0&tm=%d&et=%s&uin=%s", AnsiToWide(endpoint_).c_str(),
                      posId_, static_cast<int32_t>(std::time(nullptr)), event.c_str(),
                      uid_.c_str());
}
