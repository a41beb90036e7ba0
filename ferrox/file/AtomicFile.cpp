#include "ferrox/file/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

#include "ferrox/file/TemporaryName.h"

namespace Frx {

namespace {

// Links followed before giving up, as the kernel's own limit.
constexpr int kLinkHops = 40;

std::atomic<AtomicFile::SyncProc> syncProc{nullptr};

int Sync(int fd, bool folder) {
  const AtomicFile::SyncProc proc = syncProc.load();
  return proc ? proc(fd, folder) : fsync(fd);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links at the end of path to the name they finally give.
// false for a loop.
bool FollowLinks(std::string& path) {
  for (int hop = 0; hop < kLinkHops; ++hop) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), link, sizeof link);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof link) return true;  // changed meanwhile: let open decide
    const std::string next(link, static_cast<size_t>(n));
    path = next[0] == '/' ? next : FolderOf(path) + next;
  }
  return false;
}

}  // namespace

void AtomicFile::SetSync(SyncProc sync) { syncProc.store(sync); }

bool AtomicFile::Begin(const std::string& target) {
  Abort();
  failure_ = File::Refusal::Missing;
  if (target.empty() || target.back() == '/') return false;
  std::string resolved = target;
  if (!FollowLinks(resolved)) return failure_ = File::Refusal::LinkLoop, false;
  struct stat st;
  const bool existing = stat(resolved.c_str(), &st) == 0;
  if (existing) {
    if (S_ISDIR(st.st_mode)) return false;
    if (!S_ISREG(st.st_mode)) return failure_ = File::Refusal::NotRegular, false;
    if (File::WriteProtected(resolved.c_str(), st)) return failure_ = File::Refusal::ReadOnly, false;
  }
  const std::string folder = FolderOf(resolved);
  const std::string name = resolved.substr(folder.size());
  TemporaryName::Sweep(folder);
  // Created no wider than the file it replaces until its mode is set.
  const mode_t createMode = existing ? (st.st_mode & 0777) : 0666;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temporary = TemporaryName::Make(name);
    const int fd = open((folder + temporary).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    TemporaryName::Hold(temporary);
    if (existing) {
      // Owner first: a change of owner clears the set-id bits.
      if (st.st_uid != geteuid() || st.st_gid != getegid())
        if (fchown(fd, st.st_uid, st.st_gid) != 0) (void)fchown(fd, static_cast<uid_t>(-1), st.st_gid);
      (void)fchmod(fd, st.st_mode & 07777);
    }
    target_ = resolved;
    folder_ = folder;
    temporary_ = temporary;
    stream_ = fdopen(fd, "wb");
    if (!stream_) {
      close(fd);
      Drop();
      return false;
    }
    failure_ = File::Refusal::None;
    return true;
  }
  return false;
}

bool AtomicFile::Commit() {
  if (!stream_) return false;
  // The data must be on the disk before the rename is, or a power cut can
  // leave an empty file under the target's name.
  const bool written =
      std::fflush(stream_) == 0 && !std::ferror(stream_) && Sync(fileno(stream_), false) == 0;
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  const std::string temporary = folder_ + temporary_;
  if (!written || !closed || std::rename(temporary.c_str(), target_.c_str()) != 0) {
    Drop();
    return false;
  }
  TemporaryName::Release(temporary_);
  temporary_.clear();
  // Makes the rename itself durable. The file is in place by now, so a folder
  // that cannot be flushed does not fail the write.
  const int dir = open(folder_.empty() ? "." : folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)Sync(dir, true);
    close(dir);
  }
  return true;
}

void AtomicFile::Abort() {
  if (!stream_) return;
  std::fclose(stream_);
  stream_ = nullptr;
  Drop();
}

void AtomicFile::Drop() {
  if (temporary_.empty()) return;
  unlink((folder_ + temporary_).c_str());
  TemporaryName::Release(temporary_);
  temporary_.clear();
}

}  // namespace Frx
