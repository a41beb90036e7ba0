// Whole-file reads and writes of Frx::File.
#include "ferrox/file/File.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/AtomicFile.h"
#include "ferrox/file/CaseResolve.h"

namespace Frx::File {

namespace {

FILE* OpenForRead(const char* path) {
  if (!path || !*path) return nullptr;
  const std::string native = CaseResolve::ResolveSystem(path);
  struct stat st;
  if (stat(native.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
  return std::fopen(native.c_str(), "rb");
}

// Reads the stream to its end into a malloc'd buffer followed by `extra` zero
// bytes; length receives the bytes read. The file's size is only a hint, so
// a file that grows or shrinks meanwhile is still read safely.
char* ReadAll(FILE* file, size_t& length, size_t extra) {
  struct stat st;
  size_t capacity = 4096;
  if (fstat(fileno(file), &st) == 0 && st.st_size > 0) capacity = static_cast<size_t>(st.st_size) + 1;
  char* buffer = static_cast<char*>(std::malloc(capacity + extra));
  length = 0;
  if (!buffer) return nullptr;
  for (;;) {
    if (length == capacity) {
      capacity *= 2;
      char* grown = static_cast<char*>(std::realloc(buffer, capacity + extra));
      if (!grown) {
        std::free(buffer);
        return nullptr;
      }
      buffer = grown;
    }
    const size_t n = std::fread(buffer + length, 1, capacity - length, file);
    length += n;
    if (n == 0) break;
  }
  std::memset(buffer + length, 0, extra);
  return buffer;
}

bool Debug() { return theFerrox.debug; }

}  // namespace

char* Read(const char* path, unsigned long* size) {
  FILE* file = OpenForRead(path);
  if (!file) {
    theFerrox.Log("File::Read: '%s' can't open file \n", path ? path : "");
    return nullptr;
  }
  size_t length = 0;
  char* buffer = ReadAll(file, length, 1);
  std::fclose(file);
  if (!buffer) return nullptr;
  if (size) *size = length;
  if (Debug()) theFerrox.Log("File::Read: '%16s' size %8dbyte\n", path, static_cast<int>(length));
  return buffer;
}

char* ReadText(const char* path, unsigned long* size) {
  FILE* file = OpenForRead(path);
  if (!file) {
    theFerrox.Log("File::ReadText: '%s' can't open file\n", path ? path : "");
    return nullptr;
  }
  size_t length = 0;
  char* buffer = ReadAll(file, length, 4);
  std::fclose(file);
  if (!buffer) return nullptr;
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
  if (!path || !*path || stat(CaseResolve::ResolveSystem(path).c_str(), &st) != 0 ||
      S_ISDIR(st.st_mode)) {
    theFerrox.Log("File::Size: '%s' can't open file\n", path ? path : "");
    return 0;
  }
  return static_cast<unsigned long>(st.st_size);
}

void Free(void* buffer) { std::free(buffer); }

}  // namespace Frx::File
