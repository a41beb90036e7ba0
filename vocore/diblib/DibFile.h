// Whole-file reads and writes for the image readers, by system path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the whole file; false when it cannot be opened or read.
bool DibReadFile(const char* path, std::vector<uint8_t>& data);
// Writes `size` bytes to a new file (replacing any); false on failure, and then
// no half-written file is left in its place.
bool DibWriteFile(const char* path, const void* data, size_t size);
