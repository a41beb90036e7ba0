// Text-mode file access for readers and writers of the system. Files the
// system writes "in text mode" get CR LF line ends, as on the original
// platform, and text-mode reads turn CR LF back into LF.
//
// Writers never leave a half-written file over a good one: the text goes to a
// temporary file in the target's folder that replaces the target only when
// every write succeeded.
#pragma once

#include <cstdio>
#include <string>

#include "ferrox/file/AtomicFile.h"

namespace Frx::File {

// fopen for a system path (Shift-JIS, "\" allowed). Without "b" in mode the
// stream is a text stream: reads give LF for CR LF, writes put CR LF for LF.
//  - "r", "rb": the file is found without regard to letter case; only a
//    regular file of at most ReadLimit bytes opens (no folder, device or
//    FIFO). A text reader can only go back to the start (rewind).
//  - "w", "wb": writes a temporary file; fclose renames it over the target
//    and returns 0, or drops it and returns EOF when a write failed.
//    Binary writers can seek; text writers cannot.
//  - "a": appends to the file (text mode translates as above).
//  - modes with "+" are opened as fopen opens them, without translation.
// Writing modes refuse a read-only file (see AtomicFile) and any file that is
// not a regular one. Null when the file cannot be opened; only the reason for
// a refusal is logged, callers log the failure itself.
FILE* Open(const char* path, const char* mode);

// Writes text as the whole file in text mode. 1, or 0 when it failed.
int WriteText(const char* path, const char* text);

// A text-mode writer whose file replaces the target only at Close:
//   Frx::File::TextWriter out;
//   if (!out.Open(path)) return 0;
//   out.Printf("Savora Motion Ver 2\n");
//   return out.Close();
// A writer destroyed without Close leaves the target as it was. Open logs why
// it refused a target (read-only, not a regular file), as Open does.
class TextWriter {
 public:
  TextWriter() = default;
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  int Open(const char* path);
  // printf-style; output of any length is written whole.
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void Write(const char* text);
  void Write(const char* data, size_t size);
  // 1 when everything was written and the file replaced the target, else 0.
  int Close();
  bool IsOpen() const { return file_.Stream() != nullptr; }

 private:
  AtomicFile file_;
  bool failed_ = false;
};

}  // namespace Frx::File
