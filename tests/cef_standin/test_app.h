// The application object of the test host. Every process appends a few
// switches; the renderer process gives every script context the object
// "cefTest" with native functions and plain values.
#ifndef TESTS_CEF_STANDIN_TEST_APP_H_
#define TESTS_CEF_STANDIN_TEST_APP_H_

#include "include/cef_app.h"

// Switches appended in OnBeforeCommandLineProcessing, as written there.
extern const char* const kTestSwitches[];
extern const size_t kTestSwitchCount;

class TestApp : public CefApp, public CefRenderProcessHandler {
  public:
    void OnBeforeCommandLineProcessing(const CefString& process_type,
                                       CefRefPtr<CefCommandLine> command_line) override;
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }
    void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                          CefRefPtr<CefV8Context> context) override;

  private:
    IMPLEMENT_REFCOUNTING(TestApp);
};

#endif  // TESTS_CEF_STANDIN_TEST_APP_H_
