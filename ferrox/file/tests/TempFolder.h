// A scratch folder for file tests, removed with its contents at the end, a
// capture of theFerrox's log into a file inside it, and a guard for tests of
// readers that must not wait on a FIFO.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

// <chrono> itself cannot be compiled for Shift-JIS text (its "µs"); the
// durations come with <condition_variable>.
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/NativeName.h"

namespace FrxTest {

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/ferrox-file-XXXXXX";
    const char* made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    native_ = made ? std::string(made) + "/" : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!native_.empty()) std::filesystem::remove_all(native_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // File-system path (UTF-8) of a name (UTF-8 bytes) in the folder.
  std::string Native(const std::string& name = "") const { return native_ + name; }
  // System path (Shift-JIS, "\" separators) of a name given as system text.
  std::string System(const std::string& name = "") const {
    std::string folder = native_;
    for (char& c : folder)
      if (c == '/') c = '\\';
    return folder + name;
  }

  void Put(const std::string& nativeName, const std::string& bytes) const {
    std::filesystem::create_directories(std::filesystem::path(Native(nativeName)).parent_path());
    std::ofstream(Native(nativeName), std::ios::binary) << bytes;
  }
  std::string Get(const std::string& nativeName) const {
    std::ifstream in(Native(nativeName), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Entries of the folder or of a subfolder (UTF-8 name).
  size_t Count(const std::string& sub = "") const {
    size_t n = 0;
    for (auto it = std::filesystem::directory_iterator(native_ + sub);
         it != std::filesystem::directory_iterator(); ++it)
      ++n;
    return n;
  }

 private:
  std::string native_;
};

// Sends theFerrox's log to a file in a scratch folder while alive.
class LogCapture {
 public:
  LogCapture() {
    saved_ = Frx::theFerrox.logPath;
    savedDebug_ = Frx::theFerrox.debug;
    Frx::theFerrox.logPath = Frx::Pstring(folder_.System("log.txt").c_str());
    Frx::theFerrox.CreateLog();
  }
  ~LogCapture() {
    Frx::theFerrox.logEnabled = 0;
    Frx::theFerrox.logPath = saved_;
    Frx::theFerrox.debug = savedDebug_;
  }
  // The log so far, with its CR LF line ends turned back into LF.
  std::string Text() const {
    std::string raw = folder_.Get("log.txt"), text;
    for (size_t i = 0; i < raw.size(); ++i)
      if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) text += raw[i];
    return text;
  }
  bool Has(const std::string& line) const { return Text().find(line) != std::string::npos; }

 private:
  TempFolder folder_;
  Frx::Pstring saved_;
  bool savedDebug_ = false;
};

// While alive, keeps a faulty reader from hanging the test on a FIFO: when
// the guard has not been dropped after some seconds, it opens the FIFO for
// writing now and then, which lets a reader stuck in open go on, and the test
// fails on Fired() instead of never ending.
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
