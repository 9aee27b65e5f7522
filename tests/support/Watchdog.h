// Ends the test program when a test hangs with no event loop left to end it otherwise: a child
// process that must end by itself is given one, and exits with 3 if it is still there.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace dravenloom {

class Watchdog {
public:
    explicit Watchdog(std::chrono::milliseconds limit)
        : Thread([this, limit] {
              std::unique_lock lock(Mutex);
              if (!Ended.wait_for(lock, limit, [this] { return Over; })) {
                  std::fprintf(stderr, "still running after %lld ms\n",
                               static_cast<long long>(limit.count()));
                  std::_Exit(3);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(Mutex);
            Over = true;
        }
        Ended.notify_one();
        Thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex Mutex;
    std::condition_variable Ended;
    bool Over = false;
    std::thread Thread;
};

} // namespace dravenloom
