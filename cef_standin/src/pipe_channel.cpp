#include "pipe_channel.h"

#include <cstdint>

namespace cef_standin {
namespace {

std::wstring PipePath(const std::wstring& name, const wchar_t* direction) {
    return L"\\\\.\\pipe\\" + name + direction;
}

// One transfer; works on overlapped (browser side) and plain (renderer side)
// handles alike.
bool Transfer(HANDLE pipe, bool reading, char* bytes, DWORD size, DWORD& done) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    BOOL ok = reading ? ReadFile(pipe, bytes, size, &done, &overlapped)
                      : WriteFile(pipe, bytes, size, &done, &overlapped);
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        ok = GetOverlappedResult(pipe, &overlapped, &done, TRUE);
    }
    CloseHandle(overlapped.hEvent);
    return ok && done > 0;
}

bool ReadAll(HANDLE pipe, void* data, DWORD size) {
    auto* bytes = static_cast<char*>(data);
    while (size) {
        DWORD read = 0;
        if (!Transfer(pipe, true, bytes, size, read)) return false;
        bytes += read;
        size -= read;
    }
    return true;
}

bool WriteAll(HANDLE pipe, const void* data, DWORD size) {
    auto* bytes = const_cast<char*>(static_cast<const char*>(data));
    while (size) {
        DWORD written = 0;
        if (!Transfer(pipe, false, bytes, size, written)) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool ConnectWithTimeout(HANDLE pipe, DWORD timeout_ms) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool connected = ConnectNamedPipe(pipe, &overlapped) != 0;
    if (!connected) {
        DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            connected = true;
        } else if (error == ERROR_IO_PENDING) {
            if (WaitForSingleObject(overlapped.hEvent, timeout_ms) == WAIT_OBJECT_0) {
                DWORD ignored = 0;
                connected = GetOverlappedResult(pipe, &overlapped, &ignored, FALSE) != 0;
            } else {
                CancelIo(pipe);
                DWORD ignored = 0;
                GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
            }
        }
    }
    CloseHandle(overlapped.hEvent);
    return connected;
}

}  // namespace

bool PipeChannel::Create(const std::wstring& name) {
    const DWORD mode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
    // Overlapped only so that waiting for the peer can time out.
    in_ =
        CreateNamedPipeW(PipePath(name, L".up").c_str(),
                         PIPE_ACCESS_INBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                         mode, 1, 64 * 1024, 64 * 1024, 0, nullptr);
    out_ = CreateNamedPipeW(
        PipePath(name, L".down").c_str(),
        PIPE_ACCESS_OUTBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED, mode, 1,
        64 * 1024, 64 * 1024, 0, nullptr);
    return in_ != INVALID_HANDLE_VALUE && out_ != INVALID_HANDLE_VALUE;
}

bool PipeChannel::WaitForPeer(DWORD timeout_ms) {
    return ConnectWithTimeout(in_, timeout_ms) && ConnectWithTimeout(out_, timeout_ms);
}

bool PipeChannel::Connect(const std::wstring& name) {
    in_ = CreateFileW(PipePath(name, L".down").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                      nullptr);
    if (in_ == INVALID_HANDLE_VALUE) return false;
    out_ = CreateFileW(PipePath(name, L".up").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    return out_ != INVALID_HANDLE_VALUE;
}

bool PipeChannel::Write(const std::string& message) {
    std::lock_guard<std::mutex> lock(write_mutex_);
    if (out_ == INVALID_HANDLE_VALUE) return false;
    const uint32_t size = static_cast<uint32_t>(message.size());
    return WriteAll(out_, &size, sizeof(size)) &&
           WriteAll(out_, message.data(), static_cast<DWORD>(message.size()));
}

bool PipeChannel::Read(std::string& message) {
    uint32_t size = 0;
    if (in_ == INVALID_HANDLE_VALUE || !ReadAll(in_, &size, sizeof(size))) return false;
    message.resize(size);
    return size == 0 || ReadAll(in_, &message[0], size);
}

void PipeChannel::Close() {
    for (HANDLE* pipe : {&in_, &out_}) {
        if (*pipe != INVALID_HANDLE_VALUE) CloseHandle(*pipe);
        *pipe = INVALID_HANDLE_VALUE;
    }
}

}  // namespace cef_standin
