// The path forms of the readers: the whole file is read, then parsed in memory.
#include <vector>

#include "vocore/diblib/DibFile.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"

bool ReadBmp(const char* path, DibImage* image, int depthMask) {
  std::vector<uint8_t> data;
  return DibReadFile(path, data) && ReadBmpMemory(data.data(), data.size(), image, depthMask);
}

bool ReadTga(const char* path, DibImage* image) {
  std::vector<uint8_t> data;
  return DibReadFile(path, data) && ReadTgaMemory(data.data(), data.size(), image);
}

bool ReadPpm(const char* path, DibImage* image, DibProgressProc progress, void* context) {
  std::vector<uint8_t> data;
  return DibReadFile(path, data) && ReadPpmMemory(data.data(), data.size(), image, progress, context);
}

bool ReadIff(const char* path, DibImage* image) {
  std::vector<uint8_t> data;
  return DibReadFile(path, data) && ReadIffMemory(data.data(), data.size(), image);
}

bool ReadTim(const char* path, DibImage* image) {
  std::vector<uint8_t> data;
  return DibReadFile(path, data) && ReadTimMemory(data.data(), data.size(), image);
}
