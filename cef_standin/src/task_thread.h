// A thread that runs posted tasks in order. The UI flavour runs a Windows
// message loop (it owns the browser windows); tasks reach it through a
// message-only window, so they also run inside modal loops such as menus.
#ifndef CEF_STANDIN_SRC_TASK_THREAD_H_
#define CEF_STANDIN_SRC_TASK_THREAD_H_

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace cef_standin {

class TaskThread {
  public:
    enum class Kind { kUi, kIo };

    explicit TaskThread(Kind kind);
    ~TaskThread();
    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    // Starts the thread; returns false when it could not start.
    bool Start();
    // Runs the tasks already posted, then ends the thread. Tasks posted
    // afterwards are dropped.
    void Stop();

    // Queues |task|; false when the thread no longer takes tasks.
    bool Post(std::function<void()> task);
    // Runs |task| on this thread and waits for it (runs it at once when
    // called on this thread).
    void RunAndWait(const std::function<void()>& task);
    bool IsCurrent() const { return std::this_thread::get_id() == id_; }

  private:
    void Run();
    void RunPending();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    const Kind kind_;
    std::thread thread_;
    std::thread::id id_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    bool accepting_ = false;
    HWND window_ = nullptr;
};

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_TASK_THREAD_H_
