// The engine: Debian's chromium, a Linux program started from Wine, headless
// with a DevTools port. It runs under a small shell that ends it as soon as
// this process's end of its standard input closes, so the engine never
// outlives this process, even when it dies without cleaning up.
#ifndef CEF_STANDIN_SRC_ENGINE_PROCESS_H_
#define CEF_STANDIN_SRC_ENGINE_PROCESS_H_

#include <windows.h>

#include <string>
#include <vector>

namespace cef_standin {

struct EngineEndpoint {
    int port = 0;
    std::wstring browser_path;  // "/devtools/browser/..."
};

class EngineProcess {
  public:
    EngineProcess() = default;
    ~EngineProcess();
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    // Unix path of the engine: CEF_STANDIN_CHROMIUM, else /usr/bin/chromium.
    static std::string EnginePath();
    // Unix form of a Windows path; empty when Wine cannot map it.
    static std::string UnixPath(const std::wstring& windows_path);

    // Starts the engine with |switches| ("--name=value", UTF-8) using the
    // profile folder |user_data_dir| (Windows path), and waits for its
    // DevTools endpoint.
    bool Start(const std::vector<std::string>& switches, const std::wstring& user_data_dir,
               EngineEndpoint& endpoint);
    // Ends the engine and waits until it and its children are gone.
    void Stop();

  private:
    HANDLE stdin_write_ = nullptr;
    HANDLE stdout_read_ = nullptr;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_ENGINE_PROCESS_H_
