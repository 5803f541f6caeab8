// Requests as the test server receives them from a real browser.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "loaded_page.h"
#include "server_log.h"

using testing::ElementsAre;
using testing::SizeIs;

TEST(EngineRequests, EveryRequestCarriesTheIdentification) {
    LoadedPage page("/headers.html");
    ASSERT_TRUE(page.loaded());

    std::string cefVersion;
    for (const char* path :
         {"/headers.html", "/probe/script.js", "/probe/image.png", "/probe/frame.html"}) {
        SCOPED_TRACE(path);
        const auto requests = RequestsFor(path);
        ASSERT_THAT(requests, SizeIs(1));
        const ServerRequest& request = requests[0];
        EXPECT_THAT(request.HeaderValues("User-Agent"), ElementsAre("payment/360pay"));
        EXPECT_THAT(request.HeaderValues("payment"), ElementsAre("360pay"));
        EXPECT_THAT(request.HeaderValues("version"), ElementsAre(WEBHULL_TEST_VESK2_VERSION));
        const auto cef = request.HeaderValues("cefVersion");
        ASSERT_THAT(cef, SizeIs(1));
        EXPECT_TRUE(std::regex_match(cef[0], std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << cef[0];
        if (cefVersion.empty()) {
            cefVersion = cef[0];
        }
        EXPECT_EQ(cef[0], cefVersion);
        const auto language = request.HeaderValues("Accept-Language");
        ASSERT_THAT(language, SizeIs(1));
        EXPECT_EQ(language[0].rfind("zh-CN", 0), 0u) << language[0];
    }
}

TEST(EngineRequests, PageIsLaidOutAtScaleFactorOne) {
    LoadedPage page("/headers.html");
    ASSERT_TRUE(page.loaded());
    ASSERT_TRUE(page.host.PumpUntil([] { return !RequestsFor("/probe/scale?1").empty(); }));
}
