// Finding files as Windows would: a path element that does not exist as
// written is looked up in its folder without regard to letter case.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace Frx::CaseResolve {

// Entries of a native folder in byte order, without "." and "..".
std::vector<std::string> ListFolder(const std::string& folder);

// The folders one job looks names up in, each listed once: for a job that
// resolves many names, where listing the folder again for each would cost
// the square of their count. A folder that changes meanwhile is not seen.
class FolderCache {
 public:
  // The first entry of folder in byte order that matches name without case;
  // "" when none does.
  const std::string& Match(const std::string& folder, const std::string& name);

 private:
  // Folder -> folded entry name -> the first entry of that fold.
  std::unordered_map<std::string, std::unordered_map<std::u32string, std::string>> folders_;
};

// A native (UTF-8, "/") path with every element that is missing as written
// replaced by the first entry of its folder that matches it without case.
// Elements that match nothing are kept as written, so opening the result
// fails as the original would (and a new file keeps its given name). With a
// cache, folders it has listed are not listed again.
std::string Resolve(const std::string& native, FolderCache* cache = nullptr);

// System text (Shift-JIS, "\" allowed) to a resolved native path.
std::string ResolveSystem(const char* path, FolderCache* cache = nullptr);

}  // namespace Frx::CaseResolve
