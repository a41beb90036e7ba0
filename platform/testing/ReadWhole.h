// The whole-file reader of the platform tests, which sit below ferrox's test
// support.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace PlatformTesting {

// The file's bytes as they are; empty when it cannot be read.
inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace PlatformTesting
