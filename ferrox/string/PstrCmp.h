// Comparisons of zero-terminated Shift-JIS texts used by the text readers.
#pragma once

#include <string>

namespace Frx {

// 1 when a and b are equal byte for byte (terminators included), else 0.
int PstrCmp(const char* a, const char* b);

// Compares with the ASCII letters a-z folded to upper case; the bytes of
// double-byte characters compare as they are. 1 as soon as both texts hold
// `end` at the same position (or both end together), 0 at the first unequal
// pair. Pass 0 as end to compare whole texts.
int PstrCmp2(const char* a, const char* b, char end);

// The text as PstrCmp2 sees it: keys of two texts are equal exactly when
// PstrCmp2(a, b, 0) is 1, so a table can stand for a walk comparing names.
std::string PstrCmp2Key(const char* text);

}  // namespace Frx
