// Whole-file reads that only take regular files: a name that resolves to a
// device (/dev/zero, /dev/urandom), a FIFO or a folder fails at once instead
// of growing without end or blocking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Platform::Files {

// The bytes of the regular file at `path` (native). false, with `bytes`
// emptied, when it is missing, not a regular file, larger than `maxBytes`
// or unreadable.
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>* bytes);

}  // namespace Platform::Files
