// Finding a file as Windows would: a path element missing as written is
// looked up in its folder without regard to letter case. For the stand-ins
// that sit below ferrox (module loading, texture files); names are native
// (UTF-8, "/"), converted from Shift-JIS by the caller.
#pragma once

#include <string>
#include <string_view>

namespace Platform::Files {

// Equal UTF-8 names when letters are compared without case: ASCII and the
// letters a Shift-JIS name can hold (full-width Latin, Greek, Cyrillic).
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The code points of a UTF-8 name with those letters upper-cased. A byte
// that is not valid UTF-8 stands for itself (as 0xDC00 + byte).
std::u32string FoldCase(std::string_view name);

// `path` when it exists; else the path whose missing elements are replaced
// by the first entry (in byte order) of their folder that matches without
// case; else empty.
std::string FindIgnoringCase(const std::string& path);

}  // namespace Platform::Files
