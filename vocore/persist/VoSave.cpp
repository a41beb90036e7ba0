#include "vocore/persist/VoSave.h"

#include <cstdarg>

VoSave::VoSave(FILE* f) : file(f) {}

void VoSave::printtab(FILE* f, int count) {
  if (!f) return;
  for (int i = 0; i < count; ++i) std::fputc('\t', f);
}

int VoSave::Write(const char* format, ...) {
  if (!file || !format) return 0;
  printtab(file, depth);
  va_list args;
  va_start(args, format);
  const int written = std::vfprintf(file, format, args);
  va_end(args);
  return written;
}

void VoSave::OpenChunk(const char* name) {
  if (!file) return;
  printtab(file, depth);
  std::fprintf(file, "%s {\n", name ? name : "");
  ++depth;
}

void VoSave::CloseChunk() {
  if (!file) return;
  if (depth > 0) --depth;
  printtab(file, depth);
  std::fputs("}\n", file);
}
