// Whole-file reads and writes of Frx::File.
#include "ferrox/file/File.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/AtomicFile.h"
#include "ferrox/file/CaseResolve.h"
#include "ferrox/file/RefusalLog.h"
#include "ferrox/file/RegularFile.h"

namespace Frx::File {

namespace {

// Reads the descriptor to its end into a malloc'd buffer followed by `extra`
// zero bytes; length receives the bytes read. The file's size is only a hint,
// so a file that grows or shrinks meanwhile is still read safely, up to
// ReadLimit: a file that grows past it is refused (TooLarge).
char* ReadAll(int fd, size_t& length, size_t extra, Refusal& why) {
  struct stat st;
  size_t capacity = 4096;
  if (fstat(fd, &st) == 0 && st.st_size > 0) capacity = static_cast<size_t>(st.st_size) + 1;
  char* buffer = static_cast<char*>(std::malloc(capacity + extra));
  length = 0;
  why = Refusal::Missing;
  if (!buffer) return nullptr;
  for (;;) {
    if (length == capacity) {
      if (capacity > static_cast<size_t>(ReadLimit)) {
        why = Refusal::TooLarge;
        std::free(buffer);
        return nullptr;
      }
      capacity *= 2;
      char* grown = static_cast<char*>(std::realloc(buffer, capacity + extra));
      if (!grown) {
        std::free(buffer);
        return nullptr;
      }
      buffer = grown;
    }
    const ssize_t n = read(fd, buffer + length, capacity - length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      std::free(buffer);
      return nullptr;
    }
    if (n == 0) break;
    length += static_cast<size_t>(n);
  }
  if (length > static_cast<size_t>(ReadLimit)) {
    why = Refusal::TooLarge;
    std::free(buffer);
    return nullptr;
  }
  std::memset(buffer + length, 0, extra);
  why = Refusal::None;
  return buffer;
}

// Opens and reads a whole regular file; null when it fails, after logging
// why unless the file simply could not be opened.
char* ReadWhole(const char* function, const char* path, size_t& length, size_t extra) {
  Refusal why = Refusal::Missing;
  if (!path || !*path) return nullptr;
  char* buffer = nullptr;
  const int fd = OpenRegular(CaseResolve::ResolveSystem(path).c_str(), &why);
  if (fd >= 0) {
    buffer = ReadAll(fd, length, extra, why);
    close(fd);
  }
  if (!buffer) LogRefusal(function, path, why);
  return buffer;
}

bool Debug() { return theFerrox.debug; }

}  // namespace

void LogRefusal(const char* function, const char* path, Refusal why) {
  switch (why) {
    case Refusal::NotRegular:
      theFerrox.Log("%s: '%s' is not a regular file\n", function, path);
      break;
    case Refusal::TooLarge:
      theFerrox.Log("%s: '%s' is larger than %d MB\n", function, path, static_cast<int>(ReadLimit >> 20));
      break;
    case Refusal::ReadOnly:
      theFerrox.Log("%s: '%s' is read-only\n", function, path);
      break;
    case Refusal::LinkLoop:
      theFerrox.Log("%s: '%s' has too many symbolic links\n", function, path);
      break;
    case Refusal::None:
    case Refusal::Missing:
      break;
  }
}

char* Read(const char* path, unsigned long* size) {
  size_t length = 0;
  char* buffer = ReadWhole("File::Read", path, length, 1);
  if (!buffer) {
    theFerrox.Log("File::Read: '%s' can't open file \n", path ? path : "");
    return nullptr;
  }
  if (size) *size = length;
  if (Debug()) theFerrox.Log("File::Read: '%16s' size %8dbyte\n", path, static_cast<int>(length));
  return buffer;
}

char* ReadText(const char* path, unsigned long* size) {
  size_t length = 0;
  char* buffer = ReadWhole("File::ReadText", path, length, 4);
  if (!buffer) {
    theFerrox.Log("File::ReadText: '%s' can't open file\n", path ? path : "");
    return nullptr;
  }
  // CR LF to LF in place; a lone CR stays.
  size_t out = 0;
  for (size_t i = 0; i < length; ++i) {
    if (buffer[i] == '\r' && i + 1 < length && buffer[i + 1] == '\n') continue;
    buffer[out++] = buffer[i];
  }
  std::memset(buffer + out, 0, length - out);
  if (size) *size = length;
  if (Debug()) theFerrox.Log("File::ReadText: '%16s' size %8dbyte\n", path, static_cast<int>(length));
  return buffer;
}

int Write(char* buffer, int size, const char* path) {
  const char* shown = path ? path : "";
  AtomicFile file;
  if (!path || !*path || size < 0 || (!buffer && size > 0) ||
      !file.Begin(CaseResolve::ResolveSystem(path))) {
    LogRefusal("File::Write", shown, file.Failure());
    theFerrox.Log("File::Write: '%s' can't open file\n", shown);
    return 0;
  }
  const size_t written = size > 0 ? std::fwrite(buffer, 1, static_cast<size_t>(size), file.Stream()) : 0;
  if (written != static_cast<size_t>(size) || !file.Commit()) {
    theFerrox.Log("File::Write: '%s' can't write file\n", shown);
    return 0;
  }
  if (Debug()) theFerrox.Log("File::Write: '%16s' size %8dbyte\n", path, size);
  return 1;
}

unsigned long Size(const char* path) {
  struct stat st;
  const bool found = path && *path && stat(CaseResolve::ResolveSystem(path).c_str(), &st) == 0;
  if (!found || !S_ISREG(st.st_mode)) {
    if (found && !S_ISDIR(st.st_mode)) LogRefusal("File::Size", path, Refusal::NotRegular);
    theFerrox.Log("File::Size: '%s' can't open file\n", path ? path : "");
    return 0;
  }
  return static_cast<unsigned long>(st.st_size);
}

void Free(void* buffer) { std::free(buffer); }

}  // namespace Frx::File
