#include "view_screencast.h"

#include <objbase.h>

#include "json_text.h"

namespace cef_standin {

Screencast::Screencast(DevToolsSession& session, HWND window) : session_(session), window_(window) {
    std::shared_ptr<Queue> queue = queue_;
    DevToolsSession* events = &session_;
    session_.Subscribe("Page.screencastFrame", [queue, events](const DevToolsMessage& message) {
        const int64_t frame_number = JsonGetInt(message.value(), "sessionId", 0);
        {
            std::lock_guard<std::mutex> lock(queue->mutex);
            if (queue->stopped) return;
            queue->pending = JsonGetString(message.value(), "data");
        }
        queue->wake.notify_one();
        // The engine sends the next frame once this one is acknowledged; a
        // frame that arrives before the last was decoded replaces it.
        events->SendAsync("Page.screencastFrameAck",
                          "{\"sessionId\":" + std::to_string(frame_number) + "}");
    });
    decoder_ = std::thread([this] { Decode(); });
}

Screencast::~Screencast() {
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->stopped = true;
    }
    queue_->wake.notify_one();
    decoder_.join();
    session_.SendAsync("Page.stopScreencast", "");
}

void Screencast::Start(int width, int height) {
    if (width <= 0 || height <= 0 || (width == width_ && height == height_)) return;
    width_ = width;
    height_ = height;
    session_.SendAsync("Page.stopScreencast", "");
    session_.SendAsync("Page.startScreencast",
                       "{\"format\":\"jpeg\",\"quality\":60,\"maxWidth\":" + std::to_string(width) +
                           ",\"maxHeight\":" + std::to_string(height) + ",\"everyNthFrame\":1}");
}

void Screencast::Paint(HDC dc, const RECT& client) {
    std::lock_guard<std::mutex> lock(frame_mutex_);
    PaintViewFrame(dc, client, frame_);
}

void Screencast::Decode() {
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    for (;;) {
        std::string data;
        {
            std::unique_lock<std::mutex> lock(queue_->mutex);
            queue_->wake.wait(lock, [this] { return queue_->stopped || !queue_->pending.empty(); });
            if (queue_->stopped) break;
            data.swap(queue_->pending);
        }
        ViewFrame frame;
        if (!DecodeViewFrame(data, frame)) continue;
        {
            std::lock_guard<std::mutex> lock(frame_mutex_);
            frame_ = std::move(frame);
        }
        InvalidateRect(window_, nullptr, FALSE);
    }
    if (com) CoUninitialize();
}

}  // namespace cef_standin
