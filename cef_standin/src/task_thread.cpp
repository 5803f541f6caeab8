#include "task_thread.h"

#include <future>

namespace cef_standin {
namespace {

constexpr UINT kRunTasks = WM_APP + 1;
constexpr wchar_t kTaskWindowClass[] = L"CefStandinTaskWindow";

}  // namespace

TaskThread::TaskThread(Kind kind) : kind_(kind) {}

TaskThread::~TaskThread() { Stop(); }

bool TaskThread::Start() {
    std::promise<bool> started;
    std::future<bool> result = started.get_future();
    thread_ = std::thread([this, &started] {
        id_ = std::this_thread::get_id();
        if (kind_ == Kind::kUi) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = WindowProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = kTaskWindowClass;
            RegisterClassExW(&wc);
            window_ = CreateWindowExW(0, kTaskWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, wc.hInstance, nullptr);
            if (!window_) {
                started.set_value(false);
                return;
            }
            SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            accepting_ = true;
        }
        started.set_value(true);
        Run();
    });
    if (result.get()) return true;
    thread_.join();
    return false;
}

void TaskThread::Stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        accepting_ = false;
    }
    if (kind_ == Kind::kUi) PostMessageW(window_, kRunTasks, 0, 0);
    wake_.notify_all();
    if (IsCurrent()) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool TaskThread::Post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!accepting_) return false;
        tasks_.push_back(std::move(task));
    }
    if (kind_ == Kind::kUi)
        PostMessageW(window_, kRunTasks, 0, 0);
    else
        wake_.notify_one();
    return true;
}

void TaskThread::RunAndWait(const std::function<void()>& task) {
    if (IsCurrent()) {
        task();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    if (!Post([&task, &done] {
            task();
            done.set_value();
        })) {
        return;
    }
    finished.wait();
}

void TaskThread::RunPending() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

void TaskThread::Run() {
    if (kind_ == Kind::kIo) {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
                if (tasks_.empty()) return;
            }
            RunPending();
        }
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ && tasks_.empty()) break;
    }
    DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT CALLBACK TaskThread::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kRunTasks) {
        auto* self = reinterpret_cast<TaskThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->RunPending();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace cef_standin
