#include <windows.h>

#include <gtest/gtest.h>

#include "counting_heap.h"
#include "host_message.h"

namespace {

// A hidden window whose queue the test reads.
class QueueWindow {
  public:
    QueueWindow()
        : window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                 nullptr)) {}
    ~QueueWindow() { Destroy(); }
    QueueWindow(const QueueWindow&) = delete;
    QueueWindow& operator=(const QueueWindow&) = delete;

    HWND handle() const { return window; }
    void Destroy() {
        if (window != nullptr) {
            DestroyWindow(window);
            window = nullptr;
        }
    }
    bool Take(UINT id, MSG& msg) { return PeekMessageW(&msg, window, id, id, PM_REMOVE) != 0; }

  private:
    HWND window;
};

const UINT kMessage = WM_USER + 101;

}  // namespace

TEST(PostHostText, HandsTheReceiverOnePayloadToDelete) {
    QueueWindow host;
    ASSERT_NE(host.handle(), nullptr);
    const long before = LiveHeapBlocks();

    PostHostText(host.handle(), kMessage, "short text", 7);
    EXPECT_EQ(LiveHeapBlocks(), before + 1);

    MSG msg;
    ASSERT_TRUE(host.Take(kMessage, msg));
    EXPECT_EQ(msg.lParam, 7);
    auto* payload = reinterpret_cast<std::string*>(msg.wParam);
    EXPECT_EQ(*payload, "short text");
    delete payload;
    EXPECT_EQ(LiveHeapBlocks(), before);
    EXPECT_FALSE(host.Take(kMessage, msg));
}

TEST(PostHostText, DeletesThePayloadNobodyCanReceive) {
    QueueWindow gone;
    const HWND stale = gone.handle();
    gone.Destroy();
    const HWND targets[] = {stale, nullptr};
    for (HWND target : targets) {
        const long before = LiveHeapBlocks();
        PostHostText(target, kMessage, "short text", 0);
        EXPECT_EQ(LiveHeapBlocks(), before);
    }
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, kMessage, kMessage, PM_REMOVE));
}

TEST(PostHostMessage, PostsOnlyToAWindow) {
    QueueWindow host;
    PostHostMessage(host.handle(), WM_USER + 100, 42, 0);
    PostHostMessage(nullptr, WM_USER + 100, 43, 0);
    MSG msg;
    ASSERT_TRUE(host.Take(WM_USER + 100, msg));
    EXPECT_EQ(msg.wParam, 42u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER + 100, WM_USER + 100, PM_REMOVE));
}
