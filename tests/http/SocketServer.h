#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A TCP server on 127.0.0.1 that answers with exact bytes, for what an HTTP library will not send:
// interim 1xx answers, cut-off headers, connections closed or reset without an answer. Each
// connection's request is read up to its blank line, `reply` is written, and the connection is
// closed (with a reset when asked). The thread stops with the object.
class SocketServer {
public:
    enum class Ending { Close, Reset };

    explicit SocketServer(std::string reply, Ending ending = Ending::Close);
    SocketServer(const SocketServer&) = delete;
    SocketServer& operator=(const SocketServer&) = delete;
    ~SocketServer();

    std::string url(const std::string& path) const;
    int accepted() const { return accepted_.load(); }
    std::string lastRequestLine() const;

private:
    void serve();
    void answer(int connection);

    std::string reply_;
    Ending ending_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    mutable std::mutex mutex_;
    std::string lastRequestLine_;
    std::thread thread_;
};

// A port on 127.0.0.1 whose connects never complete: a listener that never accepts, with its backlog
// filled, so the kernel drops every further handshake. Returns no port when the kernel does not stall.
class BlackHole {
public:
    BlackHole();
    BlackHole(const BlackHole&) = delete;
    BlackHole& operator=(const BlackHole&) = delete;
    ~BlackHole();

    bool stalls() const { return stalls_; }
    std::string url(const std::string& path) const;

private:
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
    bool stalls_ = false;
};

// A port on 127.0.0.1 where nothing listens: connects are refused.
int closedPort();
