#include "vocore/diblib/DibFile.h"

#include <cstring>

#include "ferrox/file/File.h"

bool DibReadFile(const char* path, std::vector<uint8_t>& data) {
  data.clear();
  if (!path) return false;
  unsigned long size = 0;
  char* buffer = Frx::File::Read(path, &size);
  if (!buffer) return false;
  data.assign(buffer, buffer + size);
  Frx::File::Free(buffer);
  return true;
}

bool DibWriteFile(const char* path, const void* data, size_t size) {
  if (!path || size > 0x7FFFFFFF) return false;
  return Frx::File::Write(static_cast<char*>(const_cast<void*>(data)), int(size), path) != 0;
}
