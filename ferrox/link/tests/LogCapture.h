// Points theFerrox's log at a fresh temporary file for the life of a test and
// hands back what was written; the previous log state is restored afterwards.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "ferrox/ferrox/Ferrox.h"

class LogCapture {
 public:
  explicit LogCapture(bool debug)
      : oldPath_(Frx::theFerrox.logPath), oldEnabled_(Frx::theFerrox.logEnabled),
        oldDebug_(Frx::theFerrox.debug) {
    char name[] = "/tmp/ferrox_link_logXXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
    Frx::theFerrox.logPath = path_.c_str();
    Frx::theFerrox.logEnabled = 1;
    Frx::theFerrox.debug = debug;
  }
  ~LogCapture() {
    Frx::theFerrox.logPath = oldPath_;
    Frx::theFerrox.logEnabled = oldEnabled_;
    Frx::theFerrox.debug = oldDebug_;
    std::remove(path_.c_str());
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // The log file's bytes so far.
  std::string Text() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

 private:
  std::string path_;
  Frx::Pstring oldPath_;
  int oldEnabled_;
  bool oldDebug_;
};
