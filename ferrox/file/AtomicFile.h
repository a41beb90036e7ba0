// Writes a file through a temporary file in the same folder that replaces the
// target only when everything was written, so a failed write never leaves a
// half-written file over a good one.
#pragma once

#include <cstdio>
#include <string>

namespace Frx {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Abort(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Starts writing native path `target` (a new file takes the mode a plain
  // create would, an existing one keeps its mode). false when the temporary
  // file cannot be created.
  bool Begin(const std::string& target);
  // The binary stream of the temporary file; null when not begun.
  FILE* Stream() const { return stream_; }
  // Closes the temporary file and renames it over the target; false (target
  // untouched, temporary removed) when a write, the close or the rename failed.
  bool Commit();
  // Drops the temporary file; the target stays as it was.
  void Abort();

 private:
  FILE* stream_ = nullptr;
  std::string target_;
  std::string temporary_;
};

}  // namespace Frx
