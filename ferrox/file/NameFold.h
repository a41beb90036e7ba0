// Windows-like comparison of file-system names (UTF-8): letters compare without
// case (ASCII, full-width Latin, Greek and Cyrillic, the letters a Shift-JIS
// name can hold), and wildcard patterns match as a folder search would.
#pragma once

#include <string>
#include <string_view>

namespace Frx::NameFold {

// Code points of a UTF-8 name with letters folded to upper case. A byte that
// is not valid UTF-8 stands for itself (as 0xDC00 + byte), so any name folds.
std::u32string Fold(std::string_view name);

// Equal names under folding.
bool Same(std::string_view a, std::string_view b);

// "*" any run, "?" one character; "*" and "*.*" match every name, "x.*" also
// matches "x" and a pattern ending in "." matches names without a dot.
bool Match(std::string_view pattern, std::string_view name);

// Whether the text holds "*" or "?".
bool HasWildcard(std::string_view text);

}  // namespace Frx::NameFold
