#include "httpserver.h"

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <climits>
#include <stdexcept>

namespace testsupport {

namespace {

#if defined(_WIN32)
constexpr SocketHandle kNoSocket = INVALID_SOCKET;
constexpr int kNoSignal = 0; // Winsock raises no signal on a closed connection
using socklen_t = int;
void closeSocket(SocketHandle socket) { closesocket(socket); }
int pollSockets(pollfd* fds, int count, int ms) { return WSAPoll(fds, static_cast<ULONG>(count), ms); }

// Winsock is started for as long as a server or a probe needs it.
struct Winsock {
    Winsock() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            throw std::runtime_error("Winsock does not start");
    }
    ~Winsock() { WSACleanup(); }
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
};
#else
constexpr SocketHandle kNoSocket = -1;
constexpr int kNoSignal = MSG_NOSIGNAL;
void closeSocket(SocketHandle socket) { close(socket); }
int pollSockets(pollfd* fds, int count, int ms) { return poll(fds, static_cast<nfds_t>(count), ms); }
struct Winsock {};
#endif

// Waits up to `ms` for `socket` to be readable; false on a timeout.
bool readable(SocketHandle socket, int ms) {
    pollfd fd{};
    fd.fd = socket;
    fd.events = POLLIN;
    return pollSockets(&fd, 1, ms) > 0;
}

bool sendAll(SocketHandle socket, const char* bytes, std::size_t size) {
    while (size > 0) {
        const int chunk = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
        const auto sent = send(socket, bytes, chunk, kNoSignal);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

// A socket bound to 127.0.0.1 on a port the system picks, and that port; throws when it cannot be.
std::pair<SocketHandle, int> boundToLoopback() {
    const SocketHandle bound = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bound == kNoSocket || bind(bound, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(bound, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (bound != kNoSocket)
            closeSocket(bound);
        throw std::runtime_error("no socket on 127.0.0.1 for the test's HTTP server");
    }
    return {bound, ntohs(address.sin_port)};
}

const char* reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    default:
        return "Error";
    }
}

} // namespace

HttpServer::HttpServer() : winsock_(std::make_shared<Winsock>()) {
    std::tie(listener_, port_) = boundToLoopback();
    if (listen(listener_, 8) != 0) {
        closeSocket(listener_);
        throw std::runtime_error("the test's HTTP server cannot listen on 127.0.0.1");
    }
    thread_ = std::thread([this] { run(); });
}

HttpServer::~HttpServer() {
    stopping_.store(true);
    thread_.join();
    closeSocket(listener_);
}

void HttpServer::serve(const std::string& path, Reply reply) {
    const std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

std::string HttpServer::address(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpServer::run() {
    while (!stopping_.load()) {
        if (!readable(listener_, 20))
            continue;
        const SocketHandle client = accept(listener_, nullptr, nullptr);
        if (client == kNoSocket)
            continue;
        answer(client);
        closeSocket(client);
    }
}

void HttpServer::answer(SocketHandle client) {
    // The request line and headers, within a few seconds; anything not HTTP (a TLS greeting) is
    // dropped at once.
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        if (!readable(client, 50))
            continue;
        char bytes[4096];
        const auto got = recv(client, bytes, sizeof bytes, 0);
        if (got <= 0)
            return;
        request.append(bytes, static_cast<std::size_t>(got));
        if (request.size() >= 4 && request.compare(0, 4, "GET ") != 0)
            return;
    }
    ++requests_;
    const auto end = request.find(' ', 4);
    const std::string path = request.substr(4, end == std::string::npos ? std::string::npos : end - 4);
    Reply reply{404, "not here\n", Reply::Way::Whole};
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = replies_.find(path); found != replies_.end())
            reply = found->second;
    }
    const std::string head =
        "HTTP/1.1 " + std::to_string(reply.status) + " " + reason(reply.status) +
        "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(reply.body.size()) +
        "\r\nConnection: close\r\n\r\n";
    const std::size_t half = reply.way == Reply::Way::Whole ? reply.body.size() : reply.body.size() / 2;
    if (!sendAll(client, head.data(), head.size()) || !sendAll(client, reply.body.data(), half))
        return;
    if (reply.way == Reply::Way::StallHalfway) {
        // Nothing more until the client hangs up (its cancel) or the test ends; bounded all the same.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stopping_.load() && std::chrono::steady_clock::now() < giveUp) {
            if (readable(client, 20)) {
                char byte;
                if (recv(client, &byte, 1, 0) <= 0)
                    return;
            }
        }
    }
}

int unusedPort() {
    const Winsock winsock;
    const auto [probe, port] = boundToLoopback();
    closeSocket(probe);
    return port;
}

} // namespace testsupport
