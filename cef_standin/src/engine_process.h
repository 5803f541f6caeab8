// The engine: Debian's chromium, a Linux program started from Wine, headless
// with a DevTools port. It runs under a small shell that ends it once no
// client is connected to its DevTools port any more (this process holds the
// one connection for its whole life, and its end closes when the process
// ends in any way), then marks the end with a file in the profile folder.
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
    // profile folder |user_data_dir| (Windows path); false when the engine
    // is not there or cannot be started.
    bool Launch(const std::vector<std::string>& switches, const std::wstring& user_data_dir);
    // Waits for the launched engine's DevTools endpoint.
    bool WaitForEndpoint(EngineEndpoint& endpoint);
    // Waits until the engine has ended, which it does once the DevTools
    // connection is closed.
    void Stop();

  private:
    std::wstring done_file_;
    std::wstring port_file_;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_ENGINE_PROCESS_H_
