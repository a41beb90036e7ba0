#include "editor/frame/FilterText.h"

#include <string>

namespace {

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

std::vector<FilterEntry> ParseFilter(const char* filter) {
  std::vector<FilterEntry> entries;
  if (!filter) return entries;
  std::vector<std::string> parts;
  std::string part;
  for (const char* p = filter; *p; ++p) {
    if (*p == '|') parts.push_back(part), part.clear();
    else part += *p;
  }
  if (!part.empty()) parts.push_back(part);
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string name = Trimmed(parts[i]);
    if (name.empty() || parts[i + 1].empty()) break;
    // "Bitmap Image Files (*.bmp)": the dialog adds the patterns itself.
    if (name.back() == ')') {
      const size_t open = name.rfind('(');
      if (open != std::string::npos && open > 0) name = Trimmed(name.substr(0, open));
    }
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    entries.push_back({Frx::Pstring(name.c_str()), Frx::Pstring(patterns.c_str())});
  }
  return entries;
}
