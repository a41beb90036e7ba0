// The log line that says why a file was refused, for the functions of
// Frx::File (function names them in the line, path is the caller's system
// path). Ordinary failures (Missing, None) log nothing here.
#pragma once

#include "ferrox/file/RegularFile.h"

namespace Frx::File {

void LogRefusal(const char* function, const char* path, Refusal why);

}  // namespace Frx::File
