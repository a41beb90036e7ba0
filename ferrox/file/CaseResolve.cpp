#include "ferrox/file/CaseResolve.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "ferrox/file/NameFold.h"
#include "ferrox/string/NativeName.h"

namespace Frx::CaseResolve {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

const std::string& FolderCache::Match(const std::string& folder, const std::string& name) {
  auto [at, fresh] = folders_.try_emplace(folder);
  if (fresh)
    for (std::string& entry : ListFolder(folder)) at->second.try_emplace(NameFold::Fold(entry), std::move(entry));
  static const std::string none;
  const auto found = at->second.find(NameFold::Fold(name));
  return found == at->second.end() ? none : found->second;
}

std::string Resolve(const std::string& native, FolderCache* cache) {
  if (native.empty() || Exists(native)) return native;
  std::string resolved;
  size_t i = 0;
  while (i < native.size() && native[i] == '/') resolved += native[i++];
  while (i < native.size()) {
    const size_t slash = native.find('/', i);
    const size_t end = slash == std::string::npos ? native.size() : slash;
    const std::string element = native.substr(i, end - i);
    if (!element.empty() && element != "." && element != ".." && !Exists(resolved + element)) {
      std::string match;
      if (cache)
        match = cache->Match(resolved, element);
      else
        for (const std::string& name : ListFolder(resolved))
          if (NameFold::Same(name, element)) {
            match = name;
            break;
          }
      if (match.empty()) return resolved + native.substr(i);
      resolved += match;
    } else {
      resolved += element;
    }
    if (slash == std::string::npos) break;
    resolved += '/';
    i = slash + 1;
  }
  return resolved;
}

std::string ResolveSystem(const char* path, FolderCache* cache) {
  return Resolve(NativeName::ToNative(path), cache);
}

}  // namespace Frx::CaseResolve
