// Writes a file through a temporary file in the same folder that replaces the
// target only when everything was written and flushed to the disk, so neither
// a failed write nor a power cut leaves a half-written file over a good one.
//
// A read-only target is refused, as Windows refuses to open one for writing;
// read-only means no write permission bit at all, or not writable by this
// process (root included, whom the permission bits do not stop). A symbolic
// link is followed to the file it finally names, which is written in place
// of the link: the link stays. A link whose file does not exist creates that
// file, as opening it for writing would. The written file keeps the mode (and
// where permitted the owner) of the file it replaces; a new file gets the
// mode a plain create would. Temporaries that a killed writer left in the
// folder are removed when the next write there begins.
#pragma once

#include <cstdio>
#include <string>

#include "ferrox/file/RegularFile.h"

namespace Frx {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Abort(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Starts writing native path `target`. false when the target is refused or
  // the temporary file cannot be created; Failure() tells which.
  bool Begin(const std::string& target);
  // The binary stream of the temporary file; null when not begun.
  FILE* Stream() const { return stream_; }
  // Flushes the temporary file to the disk and renames it over the target,
  // then flushes the folder; false (target untouched, temporary removed)
  // when a write, the flush, the close or the rename failed.
  bool Commit();
  // Drops the temporary file; the target stays as it was.
  void Abort();
  // Why the last Begin failed: Missing for an ordinary failure (no folder,
  // a folder as target, no room), else the refusal.
  File::Refusal Failure() const { return failure_; }

  // Test seam: called in place of fsync for the temporary file (folder false,
  // before the rename) and for the target's folder (folder true, after it).
  // Null restores fsync.
  using SyncProc = int (*)(int fd, bool folder);
  static void SetSync(SyncProc sync);

 private:
  void Drop();

  FILE* stream_ = nullptr;
  std::string target_;     // the file finally written, links followed
  std::string folder_;     // its folder with "/", or "" for the current one
  std::string temporary_;  // the temporary's file name in folder_
  File::Refusal failure_ = File::Refusal::None;
};

}  // namespace Frx
