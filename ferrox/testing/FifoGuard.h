// While alive, keeps a faulty reader from hanging a test on a FIFO: when the
// guard has not been dropped after some seconds, it opens the FIFO for writing
// now and then, which lets a reader stuck in open go on, and the test fails on
// Fired() instead of never ending.
#pragma once

#include <fcntl.h>
#include <unistd.h>

// <chrono> itself cannot be compiled for Shift-JIS text (its "µs"); the
// durations come with <condition_variable>.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace FrxTest {

class FifoGuard {
 public:
  explicit FifoGuard(std::string fifo) : fifo_(std::move(fifo)), thread_([this] { Watch(); }) {}
  ~FifoGuard() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  FifoGuard(const FifoGuard&) = delete;
  FifoGuard& operator=(const FifoGuard&) = delete;

  // Whether a reader had to be let go.
  bool Fired() {
    std::lock_guard<std::mutex> lock(mutex_);
    return fired_;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) return;
    while (!wake_.wait_for(lock, std::chrono::milliseconds(20), [this] { return done_; })) {
      const int fd = open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        fired_ = true;
        close(fd);
      }
    }
  }

  std::string fifo_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  bool fired_ = false;
  std::thread thread_;
};

}  // namespace FrxTest
