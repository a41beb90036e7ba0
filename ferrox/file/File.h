// Frx::File: whole-file access by system path (Shift-JIS, "\" or "/"). Names
// are converted to the file system's at this edge, and a file or folder that
// is missing as written is found without regard to letter case, as on
// Windows. Failures are logged through theFerrox and give a null or 0 result.
// Readers take only regular files of at most ReadLimit (1 GiB, RegularFile.h)
// bytes: a folder, device, FIFO or larger file is refused, with a line that
// says why. Writers replace files as AtomicFile.h describes (read-only files
// refused, links written through, permission bits kept).
#pragma once

#include <list>

#include "ferrox/string/Pstring.h"

namespace Frx::File {

struct SearchData {
  Pstring name;          // entry name without its folder (Shift-JIS)
  bool isDirectory;      // a folder (or a link to one)
  unsigned long size;    // low 32 bits of the file size, 0 for a folder
};

// Reads the whole file without translation. The buffer holds the file's bytes
// followed by one 0 byte (not counted in *size). The caller owns the buffer
// and releases it with Free. Null when the file cannot be opened.
char* Read(const char* path, unsigned long* size);

// Reads the whole file as text: CR LF pairs become LF and the text ends with a
// 0 byte; *size receives the file's byte size (the text may be shorter; the
// buffer is zero up to size + 4). Caller frees it with Free. Null on failure.
char* ReadText(const char* path, unsigned long* size);

// Writes size bytes as the file's whole content, without translation, through
// a temporary file so a failure leaves an existing file intact. 1 or 0.
int Write(char* buffer, int size, const char* path);

// Size in bytes; 0 (logged) when the file cannot be opened.
unsigned long Size(const char* path);

// Releases a buffer from Read or ReadText; null is ignored.
void Free(void* buffer);

// Whether path (whose last element may hold wildcards) names something: with
// directory non-zero, whether its first match is a folder; with 0, whether it
// is not a folder. A trailing separator names the folder itself.
int Exist(const char* path, int directory);

// Appends an entry for every name in the folder of folder+pattern that the
// last element matches (Windows wildcards, no case), "." and ".." skipped, in
// byte order of the names. The list is not cleared; a missing folder adds
// nothing. Callers pass a folder ending in a separator.
void Search(std::list<SearchData>& result, const char* folder, const char* pattern);

}  // namespace Frx::File
