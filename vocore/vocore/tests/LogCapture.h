// Sends theFerrox's log to a file of the test's own for the lifetime of the
// object, so tests can check what was logged.
#pragma once

#include <string>

#include "ferrox/string/Pstring.h"

class LogCapture {
 public:
  explicit LogCapture(bool debug = false);
  ~LogCapture();
  // Everything logged so far, with CR LF turned back into LF.
  std::string Text() const;
  bool Contains(const char* text) const { return Text().find(text) != std::string::npos; }
  // How many times `text` occurs in the log.
  int Count(const char* text) const;

 private:
  std::string file_;
  Frx::Pstring oldPath_;
  int oldEnabled_;
  bool oldDebug_;
};
