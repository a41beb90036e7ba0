// Test support: the block writer into memory and the block reader over a text.
#pragma once

#include <cstdio>
#include <string>

class VoIItem;
class VoLoad;

namespace votest {

// A stdio stream that collects what a writer puts into it.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  FILE* get() { return file_; }
  std::string Text();

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  FILE* file_;
};

// A reader over `text`, read the way the engine reads files (CR LF becomes LF);
// the caller deletes it. Each call uses a file of its own, so parallel test
// processes never share one.
VoLoad* NewReader(const std::string& text);

// Runs the reader of `item` over one block of `text` headed `block`.
void LoadBlock(VoIItem* item, const char* block, const std::string& text);

// The text VoMaster::ExecSave writes for `item`.
std::string SaveText(VoIItem* item);

}  // namespace votest
