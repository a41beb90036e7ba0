// The floor an importer is measured against: reading a whole file and
// converting every number in it with strtof, nothing else.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace plugtest {

// The sum of every number in the file (so no work is optimised away).
inline float ReadAndSumNumbers(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
    std::fclose(f);
  }
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
