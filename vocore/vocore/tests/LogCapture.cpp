#include "LogCapture.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "ferrox/ferrox/Ferrox.h"

LogCapture::LogCapture(bool debug)
    : file_(::testing::TempDir() + "vocore_master_log_" + std::to_string(getpid()) + ".txt"),
      oldPath_(Frx::theFerrox.logPath),
      oldEnabled_(Frx::theFerrox.logEnabled),
      oldDebug_(Frx::theFerrox.debug) {
  std::remove(file_.c_str());
  Frx::theFerrox.logPath = file_.c_str();
  Frx::theFerrox.logEnabled = 1;
  Frx::theFerrox.debug = debug;
}

LogCapture::~LogCapture() {
  std::remove(file_.c_str());
  Frx::theFerrox.logPath = oldPath_;
  Frx::theFerrox.logEnabled = oldEnabled_;
  Frx::theFerrox.debug = oldDebug_;
}

std::string LogCapture::Text() const {
  std::ifstream in(file_, std::ios::binary);
  std::stringstream raw;
  raw << in.rdbuf();
  std::string text;
  for (char c : raw.str())
    if (c != '\r') text += c;
  return text;
}

int LogCapture::Count(const char* text) const {
  std::string all = Text(), what = text;
  int n = 0;
  for (auto pos = all.find(what); pos != std::string::npos; pos = all.find(what, pos + 1)) ++n;
  return n;
}
