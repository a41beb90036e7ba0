// Which files the readers and writers accept. Readers open only regular files
// of bounded size: a name that resolves to a device (/dev/zero, /dev/urandom)
// would make a whole-file read grow without end, and a FIFO would block its
// reader, so every reader of whole files opens through here. Header-only: the
// decoder modules (zenjpg.so, zenpng.so) use it without linking the base
// library.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace Frx::File {

// Largest file the readers accept: 1 GiB, far above any model, motion or
// texture, and small enough that a buffer of it can always be asked for.
constexpr long long ReadLimit = 1LL << 30;

// Why a file was refused; callers log the reasons other than Missing.
enum class Refusal {
  None,
  Missing,     // cannot be opened (absent, no permission, a folder)
  NotRegular,  // a device, FIFO or socket
  TooLarge,    // larger than ReadLimit
  ReadOnly,    // writers: no write permission bit, or not writable by us
  LinkLoop,    // writers: too many symbolic links in a row
};

// Opens native path read-only (close-on-exec, blocking). -1 when refused, with
// the reason in *why when why is not null.
inline int OpenRegular(const char* native, Refusal* why = nullptr) {
  Refusal ignored;
  Refusal& reason = why ? *why : ignored;
  reason = Refusal::Missing;
  struct stat st;
  // Checked by name first so that no device is opened at all, then again on
  // the descriptor in case the name was swapped meanwhile. O_NONBLOCK keeps
  // the open of a FIFO from waiting for a writer.
  if (!native || stat(native, &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  if (!S_ISREG(st.st_mode)) return reason = Refusal::NotRegular, -1;
  const int fd = open(native, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    if (S_ISDIR(st.st_mode)) return -1;
    return reason = Refusal::NotRegular, -1;
  }
  if (st.st_size > ReadLimit) {
    close(fd);
    return reason = Refusal::TooLarge, -1;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) (void)fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  reason = Refusal::None;
  return fd;
}

// Whether a writer must refuse the existing file: Windows refuses a file with
// the read-only attribute even to administrators, so a file without any write
// permission bit is read-only for root too, whom access checks always pass.
inline bool WriteProtected(const char* native, const struct stat& st) {
  return (st.st_mode & 0222) == 0 || faccessat(AT_FDCWD, native, W_OK, AT_EACCESS) != 0;
}

// OpenRegular as a binary stream; the caller closes it with fclose.
inline FILE* OpenRegularStream(const char* native, Refusal* why = nullptr) {
  const int fd = OpenRegular(native, why);
  if (fd < 0) return nullptr;
  FILE* file = fdopen(fd, "rb");
  if (!file) {
    close(fd);
    if (why) *why = Refusal::Missing;
  }
  return file;
}

}  // namespace Frx::File
