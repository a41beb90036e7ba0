// The Windows form of a file-dialog filter ("Text|*.a;*.b|Text|*.c||") taken
// apart into its entries, for dialogs that want them one by one.
#pragma once

#include <vector>

#include "ferrox/string/Pstring.h"

struct FilterEntry {
  Frx::Pstring name;      // as written, without a trailing "(...)" of patterns
  Frx::Pstring patterns;  // "*.a *.b"
};

// Entries in order; a name without patterns, or an empty name, ends the list.
std::vector<FilterEntry> ParseFilter(const char* filter);
