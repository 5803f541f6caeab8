#include "websocket_client.h"

#include <ws2tcpip.h>

#include <cstdint>
#include <cstring>

namespace cef_standin {

bool WebSocketClient::Open(int port, const std::string& path) {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) return false;
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        return false;
    }
    const BOOL no_delay = TRUE;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&no_delay),
               sizeof(no_delay));
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string request = "GET " + path + " HTTP/1.1\r\nHost: " + host +
                                "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                "Sec-WebSocket-Key: Y2VmLXN0YW5kaW4tZGV2dG9vbA==\r\n"
                                "Sec-WebSocket-Version: 13\r\n\r\n";
    if (send(socket_, request.data(), static_cast<int>(request.size()), 0) !=
        static_cast<int>(request.size())) {
        return false;
    }
    std::string response;
    char chunk[1024];
    size_t end = std::string::npos;
    while (end == std::string::npos) {
        const int got = recv(socket_, chunk, sizeof(chunk), 0);
        if (got <= 0) return false;
        response.append(chunk, static_cast<size_t>(got));
        end = response.find("\r\n\r\n");
    }
    if (response.compare(0, 12, "HTTP/1.1 101") != 0) return false;
    buffered_ = response.substr(end + 4);
    return true;
}

bool WebSocketClient::ReadExact(char* data, size_t size) {
    const size_t from_buffer = size < buffered_.size() ? size : buffered_.size();
    std::memcpy(data, buffered_.data(), from_buffer);
    buffered_.erase(0, from_buffer);
    size_t done = from_buffer;
    while (done < size) {
        const int got = recv(socket_, data + done, static_cast<int>(size - done), 0);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WebSocketClient::SendFrame(int opcode, const std::string& payload) {
    std::string frame;
    frame += static_cast<char>(0x80 | opcode);
    const uint64_t size = payload.size();
    if (size < 126) {
        frame += static_cast<char>(0x80 | size);
    } else if (size <= 0xFFFF) {
        frame += static_cast<char>(0x80 | 126);
        frame += static_cast<char>(size >> 8);
        frame += static_cast<char>(size & 0xFF);
    } else {
        frame += static_cast<char>(0x80 | 127);
        for (int shift = 56; shift >= 0; shift -= 8) frame += static_cast<char>(size >> shift);
    }
    // Client frames are masked; the key only has to be present.
    const char mask[4] = {0x5a, 0x13, 0x7c, 0x2e};
    frame.append(mask, 4);
    for (size_t i = 0; i < payload.size(); ++i)
        frame += static_cast<char>(payload[i] ^ mask[i % 4]);
    std::lock_guard<std::mutex> lock(send_mutex_);
    size_t sent = 0;
    while (sent < frame.size()) {
        const int put =
            send(socket_, frame.data() + sent, static_cast<int>(frame.size() - sent), 0);
        if (put <= 0) return false;
        sent += static_cast<size_t>(put);
    }
    return true;
}

bool WebSocketClient::SendText(const std::string& text) {
    return socket_ != INVALID_SOCKET && SendFrame(0x1, text);
}

bool WebSocketClient::Receive(std::string& message) {
    message.clear();
    for (;;) {
        unsigned char header[2];
        if (!ReadExact(reinterpret_cast<char*>(header), 2)) return false;
        const bool final = header[0] & 0x80;
        const int opcode = header[0] & 0x0F;
        uint64_t size = header[1] & 0x7F;
        if (size >= 126) {
            unsigned char extended[8];
            const size_t bytes = size == 126 ? 2 : 8;
            if (!ReadExact(reinterpret_cast<char*>(extended), bytes)) return false;
            size = 0;
            for (size_t i = 0; i < bytes; ++i) size = (size << 8) | extended[i];
        }
        char mask[4] = {0, 0, 0, 0};
        const bool masked = header[1] & 0x80;
        if (masked && !ReadExact(mask, 4)) return false;
        std::string payload(static_cast<size_t>(size), '\0');
        if (size && !ReadExact(&payload[0], payload.size())) return false;
        if (masked) {
            for (size_t i = 0; i < payload.size(); ++i) payload[i] ^= mask[i % 4];
        }
        switch (opcode) {
            case 0x8:
                return false;
            case 0x9:
                SendFrame(0xA, payload);
                continue;
            case 0xA:
                continue;
            default:
                message += payload;
                if (final) return true;
        }
    }
}

void WebSocketClient::Close() {
    if (socket_ == INVALID_SOCKET) return;
    shutdown(socket_, SD_BOTH);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

}  // namespace cef_standin
