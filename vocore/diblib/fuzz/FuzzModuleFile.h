// The decoder modules read files: fuzz inputs go through one temporary file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline const char* FuzzInputFile(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/diblib-fuzz-" + std::to_string(getpid());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return nullptr;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path.c_str();
}
