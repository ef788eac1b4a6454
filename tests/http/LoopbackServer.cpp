#include "tests/http/LoopbackServer.h"

#include <stdexcept>

namespace {
constexpr auto kStartupLimit = std::chrono::seconds(5);
}  // namespace

LoopbackServer::LoopbackServer() : server_(std::make_unique<httplib::Server>()), scheme_("http") {
    setUp();
}

LoopbackServer::LoopbackServer(const std::string& certificateFile, const std::string& keyFile)
    : server_(std::make_unique<httplib::SSLServer>(certificateFile.c_str(), keyFile.c_str())), scheme_("https") {
    if (!server_->is_valid())
        throw std::runtime_error("cannot load " + certificateFile);
    setUp();
}

void LoopbackServer::setUp() {
    // One connection must carry every request of a test, and an idle one must not hold the stop long.
    server_->set_keep_alive_max_count(100000);
    server_->set_keep_alive_timeout(2);
    server_->Get("/ok", [](const httplib::Request&, httplib::Response&) {});
    server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        record(request);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("no free port on 127.0.0.1");
}

LoopbackServer::~LoopbackServer() {
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        server_->stop();
        thread_.join();
    }
}

void LoopbackServer::start() {
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() is lost on a server that is not running yet, so the test begins once it runs.
    const auto limit = std::chrono::steady_clock::now() + kStartupLimit;
    while (!server_->is_running() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!server_->is_running())
        throw std::runtime_error("the loopback server did not start");
}

std::string LoopbackServer::url(const std::string& path) const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::record(const httplib::Request& request) {
    {
        const std::lock_guard lock(mutex_);
        ++methods_[request.method];
        clientPorts_.insert(request.remote_port);
        lastTarget_ = request.target;
        lastUserAgent_ = request.get_header_value("User-Agent");
    }
    changed_.notify_all();
}

int LoopbackServer::requests(const std::string& method) const {
    const std::lock_guard lock(mutex_);
    const auto found = methods_.find(method);
    return found == methods_.end() ? 0 : found->second;
}

int LoopbackServer::requests() const {
    const std::lock_guard lock(mutex_);
    return totalLocked();
}

int LoopbackServer::totalLocked() const {
    int total = 0;
    for (const auto& [method, count] : methods_)
        total += count;
    return total;
}

int LoopbackServer::connections() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(clientPorts_.size());
}

std::string LoopbackServer::lastTarget() const {
    const std::lock_guard lock(mutex_);
    return lastTarget_;
}

std::string LoopbackServer::lastUserAgent() const {
    const std::lock_guard lock(mutex_);
    return lastUserAgent_;
}

bool LoopbackServer::waitForRelease(std::chrono::milliseconds atMost) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, atMost, [this] { return released_; });
}

bool LoopbackServer::waitForRequests(int count, std::chrono::milliseconds atMost) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, atMost, [&] { return totalLocked() >= count; });
}

// cpp-httplib comes uninstrumented: ThreadSanitizer sees its memcmp and allocations through its
// interceptors but not the inline atomics that order them (the guards of its function-local statics),
// so it reports races between the server's own threads that are not there. Calls from that library
// go unchecked; our code and libcurl's callbacks into it stay checked. Unused by other builds.
extern "C" __attribute__((visibility("default"))) const char* __tsan_default_suppressions() {
    return "called_from_lib:libcpp-httplib.so\n";
}
