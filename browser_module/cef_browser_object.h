#pragma once

#include <windows.h>

#include <string>
#include <vector>

#ifdef WEBHULL_EXPORTS
#define WEBHULL_API __declspec(dllexport)
#else
#define WEBHULL_API __declspec(dllimport)
#endif

class CefBrowser;
template <class T>
class CefRefPtr;

// Start-up record handed to CefBrowserObject::CefInit; the two folders are UTF-8.
struct CefInitParams {
    void* mainEntry = nullptr;
    wchar_t* cmdLine = nullptr;
    HINSTANCE hInstance = nullptr;
    int nCmdShow = 0;
    std::string cachePath;
    std::string userDataPath;
};

// One embedded browser living as a child window of one host window. The static
// members run the browser runtime for the whole process.
class WEBHULL_API CefBrowserObject {
  public:
    CefBrowserObject() = default;
    CefBrowserObject(const CefBrowserObject&) = default;
    CefBrowserObject& operator=(const CefBrowserObject&) = default;

    // Starts the runtime in the browser process (true on success, exitCode -1).
    // In a runtime sub-process runs it to its end and returns false with its
    // exit code in exitCode.
    static bool CefInit(CefInitParams params, int& exitCode);
    static void CefShutDown();
    // Value of the "type" switch of this process's command line, UTF-8; empty
    // in the browser process.
    static std::string CefProcessType();

    // Creates the browser as a child of parent at rect (client coordinates),
    // loading url (UTF-8). The browser becomes reachable once created.
    bool CreateBrowser(HWND parent, const std::string& url, RECT rect);
    void ResizeBrowser(RECT rect);
    void ShowWebWindow(bool show);
    void CloseBrowser(bool force);
    // Runs name('argument'); in the main frame; the page receives argument
    // exactly as given.
    void CallJSFunction(const wchar_t* name, const wchar_t* argument);
    // Navigations of this host window's browser whose URL (UTF-8) contains one
    // of these fragments are refused.
    void SetBlockUrls(std::vector<std::string> urls);

  private:
    static std::string getUserAgent();
    CefRefPtr<CefBrowser> GetBrowser() const;

    HWND hostWindow = nullptr;
};
