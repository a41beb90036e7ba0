#include "platform/com/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

namespace Com::Registry {

namespace {

// Registration files are small; anything larger is not ours.
constexpr long MaxFileSize = 4L << 20;
constexpr char Header[] = "; Savora control registrations (per user). Written by the controls; keys below the classes root.\n";

std::mutex theMutex;
std::string theOverride;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

struct KeyData {
  std::string path;                            // as first written
  std::map<std::string, Value> values;         // by lower-cased name
};
using Tree = std::map<std::string, KeyData>;   // by lower-cased path

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\', out += c;
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out + "\"";
}

// A quoted text at line[i]; i moves past it. False when it is not one.
bool Unquote(const std::string& line, size_t& i, std::string* out) {
  if (i >= line.size() || line[i] != '"') return false;
  out->clear();
  for (++i; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      ++i;
      return true;
    }
    if (c == '\\' && i + 1 < line.size()) {
      c = line[++i];
      c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    *out += c;
  }
  return false;
}

// Lines that are not keys or values are dropped, so a damaged file loses only them.
void Parse(const std::string& text, Tree* tree) {
  KeyData* key = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.size() > 2 && line.back() == ']') {
      const std::string path = line.substr(1, line.size() - 2);
      KeyData& k = (*tree)[Lower(path)];
      if (k.path.empty()) k.path = path;
      key = &k;
      continue;
    }
    if (!key) continue;
    size_t i = 0;
    Value v;
    if (line[0] == '@') {
      i = 1;
    } else if (!Unquote(line, i, &v.name) || v.name.empty()) {
      continue;
    }
    if (i >= line.size() || line[i] != '=') continue;
    ++i;
    if (!Unquote(line, i, &v.data) || i != line.size()) continue;
    key->values[Lower(v.name)] = v;
  }
}

std::string Format(const Tree& tree) {
  std::string out = Header;
  for (const auto& [lower, key] : tree) {
    out += "\n[" + key.path + "]\n";
    // The default value first ("" sorts first), then the others by name.
    for (const auto& [name, value] : key.values)
      out += (value.name.empty() ? std::string("@") : Quote(value.name)) + "=" + Quote(value.data) + "\n";
  }
  return out;
}

// The file's text; true with "" when there is no file, false when it cannot be read.
bool ReadFile(const std::string& path, std::string* text) {
  text->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxFileSize;
  if (ok) {
    text->resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (ok && got < text->size()) {
      const ssize_t n = read(fd, text->data() + got, text->size() - got);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) got += static_cast<size_t>(n);
    }
  }
  close(fd);
  return ok;
}

bool MakeFolders(const std::string& file) {
  for (size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1)) {
    const std::string folder = file.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool WriteFile(const std::string& path, const std::string& text) {
  if (!MakeFolders(path)) return false;
  const std::string temporary = path + ".tmp-" + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}

// Reads the file, lets `change` edit the tree and writes it back.
template <class Change>
HRESULT Update(Change change) {
  std::lock_guard<std::mutex> lock(theMutex);
  const std::string path = FilePath();
  std::string text;
  if (path.empty() || !ReadFile(path, &text)) return E_FAIL;
  Tree tree;
  Parse(text, &tree);
  change(tree);
  return WriteFile(path, Format(tree)) ? S_OK : E_FAIL;
}

}  // namespace

std::string FilePath() {
  if (!theOverride.empty()) return theOverride;
  if (const char* file = std::getenv("SAVORA_CONTROLS_FILE"); file && *file) return file;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
    return std::string(config) + "/savora/controls.reg";
  if (const char* home = std::getenv("HOME"); home && *home == '/')
    return std::string(home) + "/.config/savora/controls.reg";
  return std::string();
}

void SetFilePath(const std::string& path) {
  std::lock_guard<std::mutex> lock(theMutex);
  theOverride = path;
}

namespace {

void Add(Tree& tree, const std::vector<Key>& keys) {
  for (const Key& k : keys) {
    KeyData& data = tree[Lower(k.path)];
    if (data.path.empty()) data.path = k.path;
    for (const Value& v : k.values) data.values[Lower(v.name)] = v;
  }
}

void Remove(Tree& tree, const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    const std::string root = Lower(p);
    for (auto i = tree.begin(); i != tree.end();) {
      const bool below = i->first == root || (i->first.size() > root.size() &&
                                              i->first.compare(0, root.size(), root) == 0 &&
                                              i->first[root.size()] == '\\');
      i = below ? tree.erase(i) : std::next(i);
    }
  }
}

}  // namespace

HRESULT WriteKeys(const std::vector<Key>& keys) {
  return Update([&](Tree& tree) { Add(tree, keys); });
}

HRESULT DeleteTrees(const std::vector<std::string>& paths) {
  return Update([&](Tree& tree) { Remove(tree, paths); });
}

HRESULT ReplaceTrees(const std::vector<std::string>& paths, const std::vector<Key>& keys) {
  return Update([&](Tree& tree) {
    Remove(tree, paths);
    Add(tree, keys);
  });
}

bool ReadValue(const std::string& key, const std::string& name, std::string* data) {
  std::lock_guard<std::mutex> lock(theMutex);
  std::string text;
  const std::string path = FilePath();
  if (path.empty() || !ReadFile(path, &text)) return false;
  Tree tree;
  Parse(text, &tree);
  const auto k = tree.find(Lower(key));
  if (k == tree.end()) return false;
  const auto v = k->second.values.find(Lower(name));
  if (v == k->second.values.end()) return false;
  if (data) *data = v->second.data;
  return true;
}

}  // namespace Com::Registry
