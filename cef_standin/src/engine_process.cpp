#include "engine_process.h"

#include <cstdlib>
#include <sstream>

#include "wide_text.h"

namespace cef_standin {
namespace {

// Runs the engine in the background with its own output discarded, waits
// for end of input, then ends the engine and waits for it.
constexpr char kShellScript[] =
    "\"$@\" </dev/null >/dev/null 2>&1 & pid=$!; cat >/dev/null; kill $pid 2>/dev/null; "
    "wait $pid; exit 0";

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

bool EngineProcess::Start(const std::vector<std::string>& switches,
                          const std::wstring& user_data_dir, EngineEndpoint& endpoint) {
    const std::string engine = EnginePath();
    const std::wstring engine_file = WindowsPathOfUnix(engine);
    const DWORD attributes = GetFileAttributesW(engine_file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const std::string profile = UnixPath(user_data_dir);
    if (profile.empty()) return false;
    const std::wstring port_file = user_data_dir + L"\\DevToolsActivePort";
    DeleteFileW(port_file.c_str());

    std::wstring command = L"Z:\\bin\\sh -c " + QuoteArgument(Utf8ToWide(kShellScript)) +
                           L" cef-engine " + QuoteArgument(Utf8ToWide(engine));
    for (const auto& sw : switches) command += L" " + QuoteArgument(Utf8ToWide(sw));
    command += L" " + QuoteArgument(Utf8ToWide("--user-data-dir=" + profile));
    command += L" about:blank";

    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE stdin_read = nullptr;
    HANDLE stdout_write = nullptr;
    if (!CreatePipe(&stdin_read, &stdin_write_, &inherit, 0)) return false;
    if (!CreatePipe(&stdout_read_, &stdout_write, &inherit, 0)) return false;
    SetHandleInformation(stdin_write_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(stdout_read_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = stdin_read;
    startup.hStdOutput = stdout_write;
    startup.hStdError = stdout_write;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(L"Z:\\bin\\sh", &command[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(stdin_read);
    CloseHandle(stdout_write);
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    if (!started) {
        Stop();
        return false;
    }
    for (int i = 0; i < 600; ++i) {
        if (ReadEndpoint(port_file, endpoint)) return true;
        DWORD available = 0;
        if (!PeekNamedPipe(stdout_read_, nullptr, 0, nullptr, &available, nullptr)) break;
        Sleep(50);
    }
    Stop();
    return false;
}

void EngineProcess::Stop() {
    if (stdin_write_) {
        CloseHandle(stdin_write_);
        stdin_write_ = nullptr;
    }
    if (stdout_read_) {
        // End of file here means the shell and the engine have exited.
        char buffer[256];
        DWORD read = 0;
        const ULONGLONG deadline = GetTickCount64() + 15000;
        while (GetTickCount64() < deadline) {
            DWORD available = 0;
            if (!PeekNamedPipe(stdout_read_, nullptr, 0, nullptr, &available, nullptr)) break;
            if (available)
                ReadFile(stdout_read_, buffer, sizeof(buffer), &read, nullptr);
            else
                Sleep(20);
        }
        CloseHandle(stdout_read_);
        stdout_read_ = nullptr;
    }
}

}  // namespace cef_standin
