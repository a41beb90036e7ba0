// VoSave: writes the nested-block text of items to an open file, one tab of
// indent per open block. The caller opens and closes the file.
#pragma once

#include <cstdio>
#include <string>

class VoSave {
 public:
  explicit VoSave(FILE* file);

  // Writes depth tabs, then the formatted text (which brings its own line end).
  int Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // "name {" at the current depth; the depth goes up. The name is written as
  // data, never as a format.
  void OpenChunk(const char* name);
  // The depth goes down (never below 0); "}" at the new depth.
  void CloseChunk();
  static void printtab(FILE* file, int count);

  FILE* GetFile() const { return file; }
  unsigned short GetDepth() const { return depth; }

  FILE* file;
  unsigned short depth = 0;
  std::string basePath;  // writers store file names relative to it
};
