// The one whole-file reader of the tests and benchmarks.
#pragma once

#include <string>

namespace FrxTest {

// The file's bytes as they are (a file-system path); empty when it cannot be read.
std::string ReadWhole(const std::string& path);

}  // namespace FrxTest
