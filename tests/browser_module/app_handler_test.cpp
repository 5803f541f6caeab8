#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cef_app_handler.h"
#include "fakes.h"

using testing::ElementsAre;

TEST(CefAppHandler, AppendsTheBrowserSwitchesInOrderForEveryProcess) {
    for (const char* processType : {"", "renderer", "gpu-process"}) {
        SCOPED_TRACE(processType);
        CefRefPtr<CefAppHandler> app(new CefAppHandler);
        auto commandLine = FakeCommandLine::Make();
        app->OnBeforeCommandLineProcessing(processType, commandLine);
        EXPECT_THAT(
            commandLine->calls,
            ElementsAre("switch no-proxy-server", "switch --disable-web-security",
                        "switch allow-access-from-files",
                        "value autoplay-policy=no-user-gesture-required",
                        "value override-plugin-power-saver-for-testing=never",
                        "switch --disable-site-isolation-trials", "switch --enable-print-preview",
                        "switch enable-experimental-web-platform-features",
                        "value --force-device-scale-factor=1"));
    }
}

TEST(CefAppHandler, IsItsOwnBrowserAndRenderProcessHandler) {
    CefRefPtr<CefAppHandler> app(new CefAppHandler);
    EXPECT_EQ(app->GetBrowserProcessHandler().get(),
              static_cast<CefBrowserProcessHandler*>(app.get()));
    EXPECT_EQ(app->GetRenderProcessHandler().get(),
              static_cast<CefRenderProcessHandler*>(app.get()));
    EXPECT_EQ(app->GetResourceBundleHandler().get(), nullptr);
}
