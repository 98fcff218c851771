#include "httpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace testsupport {

namespace {

// Waits up to `ms` for `socket` to be readable; false on a timeout.
bool readable(int socket, int ms) {
    pollfd fd{socket, POLLIN, 0};
    return poll(&fd, 1, ms) > 0;
}

bool sendAll(int socket, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
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

HttpServer::HttpServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the test's HTTP server cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

HttpServer::~HttpServer() {
    stopping_.store(true);
    thread_.join();
    close(listener_);
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
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0)
            continue;
        answer(client);
        close(client);
    }
}

void HttpServer::answer(int client) {
    // The request line and headers, within a few seconds; anything not HTTP (a TLS greeting) is
    // dropped at once.
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        if (!readable(client, 50))
            continue;
        char bytes[4096];
        const ssize_t got = recv(client, bytes, sizeof bytes, 0);
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

} // namespace testsupport
