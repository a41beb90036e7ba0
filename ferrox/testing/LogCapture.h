// Sends theFerrox's log to a file in a scratch folder of its own for the life
// of the object, so a test can check what was logged; the previous log path,
// switch and debug flag come back afterwards.
#pragma once

#include <string>
#include <string_view>

#include "ferrox/testing/Scopes.h"
#include "ferrox/testing/TempFolder.h"

namespace FrxTest {

class LogCapture {
 public:
  explicit LogCapture(bool debug = false);
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // The log's bytes as written, CR LF line ends and all.
  std::string Bytes() const;
  // The log so far with its CR LF line ends turned back into LF.
  std::string Text() const;
  bool Contains(std::string_view text) const { return Text().find(text) != std::string::npos; }
  // How many times `text` occurs in Text().
  int Count(std::string_view text) const;

 private:
  TempFolder folder_;
  FerroxScope settings_;
};

}  // namespace FrxTest
