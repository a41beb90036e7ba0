// The floor an importer is measured against: reading a whole file and
// converting every number in it with strtof, nothing else.
#pragma once

#include <cstdlib>
#include <string>

#include "ferrox/testing/ReadWhole.h"

namespace plugtest {

// The sum of every number in the file (so no work is optimised away).
inline float ReadAndSumNumbers(const std::string& path) {
  const std::string text = FrxTest::ReadWhole(path);
  float sum = 0;
  const char* p = text.c_str();
  const char* end = p + text.size();
  while (p < end) {
    char* next = nullptr;
    const float value = std::strtof(p, &next);
    if (next == p) {
      ++p;
      continue;
    }
    sum += value;
    p = next;
  }
  return sum;
}

}  // namespace plugtest
