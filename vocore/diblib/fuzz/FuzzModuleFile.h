// The decoder modules read files by name: fuzz inputs go through one file in
// memory, named by its /proc/self/fd entry, so nothing is left on disk however
// the run ends and parallel runs never share it.
#pragma once

#include <sys/mman.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <string>

inline const char* FuzzInputFile(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("diblib-fuzz", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) return nullptr;
  for (size_t done = 0; done < size;) {
    const ssize_t written = pwrite(fd, data + done, size - done, off_t(done));
    if (written <= 0) return nullptr;
    done += size_t(written);
  }
  return path.c_str();
}
