#include "ferrox/file/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace Frx {

bool AtomicFile::Begin(const std::string& target) {
  Abort();
  if (target.empty() || target.back() == '/') return false;
  struct stat st;
  const bool existing = stat(target.c_str(), &st) == 0;
  if (existing && S_ISDIR(st.st_mode)) return false;
  // Hidden name beside the target: rename stays within one file system.
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temporary = folder + "." + name + "." + std::to_string(getpid()) + "-" +
                                  std::to_string(++counter) + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (existing) (void)fchmod(fd, st.st_mode & 07777);
    stream_ = fdopen(fd, "wb");
    if (!stream_) {
      close(fd);
      unlink(temporary.c_str());
      return false;
    }
    target_ = target;
    temporary_ = temporary;
    return true;
  }
  return false;
}

bool AtomicFile::Commit() {
  if (!stream_) return false;
  const bool written = std::fflush(stream_) == 0 && !std::ferror(stream_);
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!written || !closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    unlink(temporary_.c_str());
    temporary_.clear();
    return false;
  }
  temporary_.clear();
  return true;
}

void AtomicFile::Abort() {
  if (!stream_) return;
  std::fclose(stream_);
  stream_ = nullptr;
  unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace Frx
