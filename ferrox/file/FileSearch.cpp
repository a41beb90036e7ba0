// Folder searches of Frx::File: Exist and Search.
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ferrox/file/CaseResolve.h"
#include "ferrox/file/File.h"
#include "ferrox/file/NameFold.h"
#include "ferrox/string/NativeName.h"

namespace Frx::File {

namespace {

struct Split {
  std::string folder;   // resolved native folder with its "/", or "" (current)
  std::string element;  // the last element, possibly a pattern
};

Split SplitNative(std::string native) {
  Split split;
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos) {
    split.element = native;
  } else {
    split.folder = CaseResolve::Resolve(native.substr(0, slash + 1));
    split.element = native.substr(slash + 1);
  }
  return split;
}

bool StatEntry(const std::string& path, struct stat& st) {
  return stat(path.c_str(), &st) == 0 || lstat(path.c_str(), &st) == 0;
}

}  // namespace

int Exist(const char* path, int directory) {
  if (!path || !*path) return 0;
  std::string native = NativeName::ToNative(path);
  if (native.size() > 1 && native.back() == '/') native.pop_back();
  struct stat st;
  std::string found;
  if (!NameFold::HasWildcard(native)) {
    found = CaseResolve::Resolve(native);
  } else {
    const Split split = SplitNative(native);
    for (const std::string& name : CaseResolve::ListFolder(split.folder))
      if (NameFold::Match(split.element, name)) {
        found = split.folder + name;
        break;
      }
    if (found.empty()) return 0;
  }
  if (!StatEntry(found, st)) return 0;
  const bool isFolder = S_ISDIR(st.st_mode);
  return (directory != 0) == isFolder ? 1 : 0;
}

void Search(std::list<SearchData>& result, const char* folder, const char* pattern) {
  std::string text = folder ? folder : "";
  text += pattern ? pattern : "";
  if (text.empty()) return;
  const Split split = SplitNative(NativeName::ToNative(text.c_str()));
  std::vector<SearchData> found;
  for (const std::string& name : CaseResolve::ListFolder(split.folder)) {
    if (!NameFold::Match(split.element, name)) continue;
    struct stat st;
    if (!StatEntry(split.folder + name, st)) continue;
    SearchData entry;
    entry.name = NativeName::FromNative(name.c_str());
    entry.isDirectory = S_ISDIR(st.st_mode);
    entry.size = entry.isDirectory ? 0 : static_cast<unsigned long>(st.st_size) & 0xFFFFFFFFul;
    found.push_back(entry);
  }
  std::stable_sort(found.begin(), found.end(), [](const SearchData& a, const SearchData& b) {
    return a.name.Compare(b.name) < 0;
  });
  result.insert(result.end(), found.begin(), found.end());
}

}  // namespace Frx::File
