// Name comparisons of the registry: class names, command names, item names.
#pragma once

#include "ferrox/string/PstrCmp.h"

namespace VoName {

// Equal ignoring ASCII letter case; a null name equals nothing.
inline bool Same(const char* a, const char* b) { return a && b && Frx::PstrCmp2(a, b, 0); }

// Equal byte for byte; a null name equals nothing.
inline bool Exact(const char* a, const char* b) { return a && b && Frx::PstrCmp(a, b); }

}  // namespace VoName
