#pragma once
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace tarn::test {

// The most connections a test server had open at once: a connection counts from its accept until the
// server has closed it. Installed on a server before it starts.
class ConnectionGauge {
public:
    void install(httplib::Server& server) {
        server.new_task_queue = [this] { return new CountingQueue(*this); };
    }
    int most() const { return most_.load(); }

private:
    class CountingQueue final : public httplib::TaskQueue {
    public:
        explicit CountingQueue(ConnectionGauge& gauge) : pool_(16), gauge_(gauge) {}
        void enqueue(std::function<void()> serve) override {
            const int open = ++gauge_.open_;
            int most = gauge_.most_.load();
            while (open > most && !gauge_.most_.compare_exchange_weak(most, open)) {
            }
            pool_.enqueue([this, serve = std::move(serve)] {
                serve();
                --gauge_.open_;
            });
        }
        void shutdown() override { pool_.shutdown(); }

    private:
        httplib::ThreadPool pool_;
        ConnectionGauge& gauge_;
    };

    std::atomic<int> open_{0};
    std::atomic<int> most_{0};
};

}  // namespace tarn::test
