// The per-user registration file: where controls record themselves (class,
// program ids, module path) in place of the Windows registry's classes root,
// and where containers look them up. Keys are "\"-separated paths compared
// without regard to ASCII letter case; every text is UTF-8. The file is
// rewritten whole through a temporary, so a reader never sees half of it.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinError.h"

namespace Com::Registry {

// $SAVORA_CONTROLS_FILE when set, else $XDG_CONFIG_HOME/savora/controls.reg,
// else $HOME/.config/savora/controls.reg.
std::string FilePath();
// Another file for this process ("" goes back to the above); for tests.
void SetFilePath(const std::string& path);

struct Value {
  std::string name;  // "" is the key's default value ("@" in the file)
  std::string data;
};
struct Key {
  std::string path;
  std::vector<Value> values;
};

// Adds the keys (a value of the same name is replaced; a key's other values
// stay) and writes the file, making its folder when missing. E_FAIL when the
// file cannot be read or written; it is then unchanged.
HRESULT WriteKeys(const std::vector<Key>& keys);
// Removes each key with every key below it; keys that do not exist are fine.
HRESULT DeleteTrees(const std::vector<std::string>& paths);
// Removes the trees, then adds the keys, in one rewrite of the file.
HRESULT ReplaceTrees(const std::vector<std::string>& paths, const std::vector<Key>& keys);
// One value of a key; false when either is missing.
bool ReadValue(const std::string& key, const std::string& name, std::string* data);

}  // namespace Com::Registry
