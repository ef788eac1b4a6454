#pragma once
#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

// A real HTTP server (cpp-httplib) on 127.0.0.1 and a free port, run on its own threads for one test.
// Routes are added to server() before start(); /ok answers 200 from the start. Every request is
// counted by method and by the client port it came from (one per connection), and its raw target
// and User-Agent are kept.
// A handler may stall in waitForRelease(); the destructor releases every stall, then stops the server.
class LoopbackServer {
public:
    LoopbackServer();
    // Over TLS with this certificate and key (PEM files).
    LoopbackServer(const std::string& certificateFile, const std::string& keyFile);
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    ~LoopbackServer();

    httplib::Server& server() { return *server_; }
    void start();
    std::string url(const std::string& path) const;

    int requests(const std::string& method) const;
    int requests() const;
    int connections() const;
    std::string lastTarget() const;
    std::string lastUserAgent() const;

    // For handlers: blocks until the test ends (or `atMost` passes); true when released.
    bool waitForRelease(std::chrono::milliseconds atMost = std::chrono::seconds(10));
    // For the test: blocks until `count` requests have arrived (bounded); true when they did.
    bool waitForRequests(int count, std::chrono::milliseconds atMost = std::chrono::seconds(10));

private:
    void setUp();
    void record(const httplib::Request& request);
    int totalLocked() const;

    std::unique_ptr<httplib::Server> server_;
    std::string scheme_;
    int port_ = 0;
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
    std::map<std::string, int> methods_;
    std::set<int> clientPorts_;
    std::string lastTarget_;
    std::string lastUserAgent_;
};
