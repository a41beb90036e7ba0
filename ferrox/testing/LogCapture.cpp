#include "ferrox/testing/LogCapture.h"

#include "ferrox/ferrox/Ferrox.h"

namespace FrxTest {

LogCapture::LogCapture(bool debug) {
  Frx::theFerrox.logPath = Frx::Pstring(folder_.System("log.txt").c_str());
  Frx::theFerrox.logEnabled = 1;
  Frx::theFerrox.debug = debug;
}

std::string LogCapture::Bytes() const { return folder_.Get("log.txt"); }

std::string LogCapture::Text() const {
  const std::string raw = Bytes();
  std::string text;
  for (size_t i = 0; i < raw.size(); ++i)
    if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) text += raw[i];
  return text;
}

int LogCapture::Count(std::string_view text) const {
  const std::string all = Text();
  int n = 0;
  for (auto pos = all.find(text); pos != std::string::npos; pos = all.find(text, pos + 1)) ++n;
  return n;
}

}  // namespace FrxTest
