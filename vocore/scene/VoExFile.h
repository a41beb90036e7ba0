// VoExFile: a plain path holder (no item).
#pragma once

#include <string>

#include "ferrox/string/Pstring.h"

class VoExFile {
 public:
  int HasFile() const { return path.empty() ? 0 : 1; }
  void SetPathName(const char* p) { path = p ? p : ""; }
  void SetFileName(const char* p) { SetPathName(p); }
  Frx::Pstring GetPathName() const { return Frx::Pstring(path.c_str()); }
  Frx::Pstring GetFileName() const { return GetPathName(); }

  std::string path;  // first member: the registry publishes it as a string
};
