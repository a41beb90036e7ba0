// A scratch folder for file tests, removed with its contents at the end, and a
// capture of theFerrox's log into a file inside it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

}  // namespace FrxTest
