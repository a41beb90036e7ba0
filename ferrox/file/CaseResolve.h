// Finding files as Windows would: a path element that does not exist as
// written is looked up in its folder without regard to letter case.
#pragma once

#include <string>
#include <vector>

namespace Frx::CaseResolve {

// Entries of a native folder in byte order, without "." and "..".
std::vector<std::string> ListFolder(const std::string& folder);

// A native (UTF-8, "/") path with every element that is missing as written
// replaced by the first entry of its folder that matches it without case.
// Elements that match nothing are kept as written, so opening the result
// fails as the original would (and a new file keeps its given name).
std::string Resolve(const std::string& native);

// System text (Shift-JIS, "\" allowed) to a resolved native path.
std::string ResolveSystem(const char* path);

}  // namespace Frx::CaseResolve
