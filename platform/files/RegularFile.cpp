#include "platform/files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace Platform::Files {

namespace {

bool ReadAll(int fd, size_t maxBytes, std::vector<uint8_t>* bytes) {
  struct stat st;
  // fstat of what was opened: the name may have been swapped since stat.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<uint64_t>(st.st_size) > maxBytes)
    return false;
  try {
    bytes->resize(static_cast<size_t>(st.st_size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  size_t got = 0;
  // A file that grows while read is cut at its size when opened.
  while (got < bytes->size()) {
    const ssize_t n = read(fd, bytes->data() + got, bytes->size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes->resize(got);
  return true;
}

}  // namespace

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* bytes) {
  bytes->clear();
  struct stat st;
  // Special files are refused before opening: opening some has effects.
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // O_NONBLOCK: a FIFO put in place after the stat must not block the open.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ReadAll(fd, maxBytes, bytes);
  close(fd);
  if (!ok) bytes->clear();
  return ok;
}

}  // namespace Platform::Files
