// Allocation of image blocks by kind. On this platform every kind is the C heap,
// so blocks made by the decoder modules (kind 5) are freed here safely.
#pragma once

#include <cstddef>

void* DibAlloc(int kind, size_t size);
void DibRelease(int kind, void* block);
