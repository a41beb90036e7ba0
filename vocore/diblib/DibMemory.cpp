#include "vocore/diblib/DibMemory.h"

#include <cstdlib>

#include "vocore/diblib/DibHeader.h"

void* DibAlloc(int kind, size_t size) {
  if (kind < DibMemMalloc || kind > DibMemGlobalFixed) return nullptr;
  return std::malloc(size ? size : 1);
}

void DibRelease(int kind, void* block) {
  if (!block || kind < DibMemMalloc || kind > DibMemGlobalFixed) return;
  std::free(block);
}
