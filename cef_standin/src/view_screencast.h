// The page's pictures for a browser window: a screencast of the page target,
// each frame decoded on a thread of its own and kept for the next paint.
#ifndef CEF_STANDIN_SRC_VIEW_SCREENCAST_H_
#define CEF_STANDIN_SRC_VIEW_SCREENCAST_H_

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "devtools_session.h"
#include "view_frame.h"

namespace cef_standin {

class Screencast {
  public:
    // Invalidates |window| whenever a new frame is ready.
    Screencast(DevToolsSession& session, HWND window);
    ~Screencast();
    Screencast(const Screencast&) = delete;
    Screencast& operator=(const Screencast&) = delete;

    // (Re)starts the screencast with frames of at most |width| x |height|.
    void Start(int width, int height);
    // Paints the latest frame into |client| of |dc|.
    void Paint(HDC dc, const RECT& client);

  private:
    // What the session's event handler and the decoder share; outlives the
    // view when the session still holds the handler.
    struct Queue {
        std::mutex mutex;
        std::condition_variable wake;
        std::string pending;  // Base64 picture not yet decoded
        bool stopped = false;
    };

    void Decode();

    DevToolsSession& session_;
    const HWND window_;
    const std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
    std::mutex frame_mutex_;
    ViewFrame frame_;
    int width_ = 0;
    int height_ = 0;
    std::thread decoder_;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_VIEW_SCREENCAST_H_
