#pragma once
// A guard for the fault tests: a hang is a failure to report, not a test run that never ends.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace wizlo::testing {

// Ends the whole test program when what it guards takes far too long: a hang
// is a failure to report, not a test run that never ends.
class Watchdog {
 public:
  Watchdog(std::string what, std::chrono::seconds patience)
      : what_(std::move(what)), thread_([this, patience] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, patience, [this] { return finished_; })) {
            std::fprintf(stderr, "HUNG for over %lld s: %s\n", static_cast<long long>(patience.count()), what_.c_str());
            std::_Exit(3);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }

 private:
  std::string what_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace wizlo::testing
