#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cef_browser_object.h"
#include "test_host_window.h"

// A test host window with a browser on a page of the test server. The page
// counts as loaded once its function ping(token) reaches the server after the
// load event. The browser is closed and its window gone when the object ends.
class LoadedPage {
  public:
    explicit LoadedPage(const std::string& path, std::vector<std::string> blocked = {});
    ~LoadedPage();
    LoadedPage(const LoadedPage&) = delete;
    LoadedPage& operator=(const LoadedPage&) = delete;

    bool loaded() const { return ready; }

    // Calls function(argument) in the page and returns the text of the next
    // order request the page sends.
    std::optional<std::string> Ask(const wchar_t* function, const wchar_t* argument = L"");

    TestHostWindow host;
    CefBrowserObject object;

  private:
    bool ready = false;
};

// Text in the ANSI code page, as order requests carry it.
std::string Ansi(const std::wstring& text);
