#include "tests/http/SocketServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

constexpr int kPollMs = 20;
constexpr auto kRequestLimit = std::chrono::seconds(5);
constexpr int kMaxFillers = 64;

// A socket bound to 127.0.0.1 and a free port, listening with `backlog`; returns the port.
int listenOnLoopback(int& socketOut, int backlog) {
    socketOut = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socketOut < 0 || ::bind(socketOut, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(socketOut, backlog) != 0 ||
        ::getsockname(socketOut, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    return ntohs(address.sin_port);
}

bool readable(int socket, int timeoutMs) {
    pollfd entry{socket, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) > 0;
}

std::string loopbackUrl(int port, const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

}  // namespace

SocketServer::SocketServer(std::string reply, Ending ending) : reply_(std::move(reply)), ending_(ending) {
    port_ = listenOnLoopback(listener_, 16);
    thread_ = std::thread([this] { serve(); });
}

SocketServer::~SocketServer() {
    stopping_.store(true);
    thread_.join();
    ::close(listener_);
}

std::string SocketServer::url(const std::string& path) const {
    return loopbackUrl(port_, path);
}

std::string SocketServer::lastRequestLine() const {
    const std::lock_guard lock(mutex_);
    return lastRequestLine_;
}

void SocketServer::serve() {
    while (!stopping_.load()) {
        if (!readable(listener_, kPollMs))
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        ++accepted_;
        answer(connection);
    }
}

void SocketServer::answer(int connection) {
    std::string request;
    const auto limit = std::chrono::steady_clock::now() + kRequestLimit;
    while (request.find("\r\n\r\n") == std::string::npos && !stopping_.load() &&
           std::chrono::steady_clock::now() < limit) {
        if (!readable(connection, kPollMs))
            continue;
        char buffer[4096];
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        const std::lock_guard lock(mutex_);
        lastRequestLine_ = request.substr(0, request.find("\r\n"));
    }
    if (!reply_.empty())
        ::send(connection, reply_.data(), reply_.size(), MSG_NOSIGNAL);
    if (ending_ == Ending::Reset) {
        const linger abortive{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(connection);
}

BlackHole::BlackHole() {
    port_ = listenOnLoopback(listener_, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port_));
    // Connect until one does not complete: from then on the accept queue is full.
    for (int i = 0; i < kMaxFillers && !stalls_; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (filler < 0)
            break;
        fillers_.push_back(filler);
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        pollfd entry{filler, POLLOUT, 0};
        stalls_ = ::poll(&entry, 1, 200) == 0;
    }
}

BlackHole::~BlackHole() {
    for (const int filler : fillers_)
        ::close(filler);
    ::close(listener_);
}

std::string BlackHole::url(const std::string& path) const {
    return loopbackUrl(port_, path);
}

int closedPort() {
    int socket = -1;
    const int port = listenOnLoopback(socket, 1);
    ::close(socket);
    return port;
}
