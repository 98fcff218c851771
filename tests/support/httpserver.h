// A small HTTP server on 127.0.0.1 for the download's tests, on a port of its own, answering each
// path as the test set it: whole, cut off halfway, or stalled halfway until the client gives up.
// One connection at a time; it stops when it goes. On Windows it speaks through Winsock.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

// A socket as the system hands it out: a descriptor, or Winsock's SOCKET.
#if defined(_WIN32)
using SocketHandle = std::uintptr_t;
#else
using SocketHandle = int;
#endif

struct Reply {
    enum class Way { Whole, CutHalfway, StallHalfway };
    int status = 200;
    std::string body;
    Way way = Way::Whole;
};

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // `path` ("/codes.zip") answered with `reply` from now on; any other path is 404.
    void serve(const std::string& path, Reply reply);
    // "http://127.0.0.1:PORT/codes.zip".
    std::string address(const std::string& path) const;
    // How many requests have come in.
    int requests() const { return requests_.load(); }

private:
    void run();
    void answer(SocketHandle client);

    std::shared_ptr<void> winsock_; // Winsock started for the server's life (Windows)
    SocketHandle listener_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::thread thread_;
};

// A port on 127.0.0.1 that nobody listens on: the one a socket was just given and gave back.
int unusedPort();

} // namespace testsupport
