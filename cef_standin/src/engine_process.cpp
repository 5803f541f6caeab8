#include "engine_process.h"

#include <cstdlib>
#include <sstream>

#include "runtime_log.h"
#include "wide_text.h"

namespace cef_standin {
namespace {

// $1: file marking the end, $2: DevToolsActivePort file, then the engine's
// command. Runs the engine, waits for a client on its DevTools port, and
// ends it when the last client is gone (or when none came within a minute).
constexpr char kShellScript[] =
    "done=$1; port_file=$2; shift 2; \"$@\" </dev/null >/dev/null 2>&1 & pid=$!; seen=0; n=0; "
    "while kill -0 $pid 2>/dev/null; do sleep 0.3; [ -f \"$port_file\" ] || continue; "
    "hex=$(printf %04X $(head -n1 \"$port_file\")); "
    "c=$(grep -cE \"^ *[0-9]+: 0100007F:$hex [0-9A-F]{8}:[0-9A-F]{4} 01 \" /proc/net/tcp); "
    "if [ \"$c\" -gt 0 ]; then seen=1; elif [ $seen = 1 ]; then break; "
    "else n=$((n+1)); [ $n -gt 200 ] && break; fi; done; "
    "kill $pid 2>/dev/null; wait $pid; touch \"$done\"";

std::wstring WindowsPathOfUnix(const std::string& unix_path) {
    std::wstring path = L"Z:" + Utf8ToWide(unix_path);
    for (auto& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

// |arg| quoted so that Wine splits it back into one argument.
std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

bool ReadEndpoint(const std::wstring& file, EngineEndpoint& endpoint) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    char buffer[512];
    DWORD read = 0;
    const BOOL ok = ReadFile(handle, buffer, sizeof(buffer) - 1, &read, nullptr);
    CloseHandle(handle);
    if (!ok) return false;
    std::istringstream in(std::string(buffer, read));
    std::string port;
    std::string path;
    if (!std::getline(in, port) || !std::getline(in, path)) return false;
    endpoint.port = std::atoi(port.c_str());
    endpoint.browser_path = Utf8ToWide(path);
    return endpoint.port > 0 && !path.empty();
}

}  // namespace

EngineProcess::~EngineProcess() { Stop(); }

std::string EngineProcess::EnginePath() {
    const char* configured = std::getenv("CEF_STANDIN_CHROMIUM");
    return configured && *configured ? configured : "/usr/bin/chromium";
}

std::string EngineProcess::UnixPath(const std::wstring& windows_path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const auto to_unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!to_unix) return {};
    char* unix_path = to_unix(windows_path.c_str());
    if (!unix_path) return {};
    std::string result = unix_path;
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

bool EngineProcess::Launch(const std::vector<std::string>& switches,
                           const std::wstring& user_data_dir) {
    const std::string engine = EnginePath();
    const std::wstring engine_file = WindowsPathOfUnix(engine);
    const DWORD attributes = GetFileAttributesW(engine_file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const std::string profile = UnixPath(user_data_dir);
    if (profile.empty()) return false;
    port_file_ = user_data_dir + L"\\DevToolsActivePort";
    DeleteFileW(port_file_.c_str());

    done_file_ = user_data_dir + L"\\.cef-standin-engine-done";
    DeleteFileW(done_file_.c_str());
    std::wstring command = L"Z:\\bin\\sh -c " + QuoteArgument(Utf8ToWide(kShellScript)) +
                           L" cef-engine " +
                           QuoteArgument(Utf8ToWide(profile + "/.cef-standin-engine-done")) + L" " +
                           QuoteArgument(Utf8ToWide(profile + "/DevToolsActivePort")) + L" " +
                           QuoteArgument(Utf8ToWide(engine));
    for (const auto& sw : switches) command += L" " + QuoteArgument(Utf8ToWide(sw));
    command += L" " + QuoteArgument(Utf8ToWide("--user-data-dir=" + profile));
    command += L" about:blank";
    Log("starting " + WideToUtf8(command));

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        done_file_.clear();
        return false;
    }
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    return true;
}

bool EngineProcess::WaitForEndpoint(EngineEndpoint& endpoint) {
    if (done_file_.empty()) return false;
    for (int i = 0; i < 600; ++i) {
        if (ReadEndpoint(port_file_, endpoint)) return true;
        if (GetFileAttributesW(done_file_.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(50);
    }
    done_file_.clear();
    return false;
}

void EngineProcess::Stop() {
    if (done_file_.empty()) return;
    const ULONGLONG deadline = GetTickCount64() + 15000;
    while (GetFileAttributesW(done_file_.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount64() < deadline) {
        Sleep(50);
    }
    DeleteFileW(done_file_.c_str());
    done_file_.clear();
}

}  // namespace cef_standin
