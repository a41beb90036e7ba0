#include "ferrox/file/TemporaryName.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <set>
#include <string_view>

namespace Frx::TemporaryName {

namespace {

constexpr std::string_view kMark = ".savora-";
constexpr std::string_view kSuffix = ".tmp";
// Room for the mark, the numbers and the suffix within a 255-byte name.
constexpr size_t kNameRoom = 200;
constexpr time_t kGrace = 2 * 60;
constexpr time_t kAbandoned = 60 * 60;

// Temporaries this process is writing now, by name.
std::mutex& HeldLock() {
  static std::mutex lock;
  return lock;
}
std::set<std::string>& Held() {
  static std::set<std::string> held;
  return held;
}

bool Digits(const std::string& text, size_t begin, size_t end) {
  if (begin >= end || end - begin > 18) return false;
  for (size_t i = begin; i < end; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

bool Running(long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

bool WriterGone(const std::string& name, long pid) {
  if (pid != static_cast<long>(getpid())) return !Running(pid);
  std::lock_guard<std::mutex> lock(HeldLock());
  return Held().count(name) == 0;
}

}  // namespace

std::string Make(const std::string& name) {
  static std::atomic<unsigned> counter{0};
  std::string made = "." + name.substr(0, kNameRoom);
  made += kMark;
  made += std::to_string(getpid()) + "-" + std::to_string(++counter);
  made += kSuffix;
  return made;
}

bool Parse(const std::string& name, long* pid) {
  if (name.size() < 1 + kMark.size() + 3 + kSuffix.size() || name[0] != '.' ||
      name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    return false;
  const size_t end = name.size() - kSuffix.size();
  const size_t mark = name.rfind(kMark, end);
  if (mark == std::string::npos || mark < 2) return false;  // the target's name is not empty
  const size_t first = mark + kMark.size();
  const size_t dash = name.find('-', first);
  if (dash == std::string::npos || !Digits(name, first, dash) || !Digits(name, dash + 1, end)) return false;
  const long value = std::stol(name.substr(first, dash - first));
  if (value <= 0) return false;
  if (pid) *pid = value;
  return true;
}

void Hold(const std::string& name) {
  std::lock_guard<std::mutex> lock(HeldLock());
  Held().insert(name);
}

void Release(const std::string& name) {
  std::lock_guard<std::mutex> lock(HeldLock());
  Held().erase(name);
}

void Sweep(const std::string& folder) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  const time_t now = std::time(nullptr);
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    long pid = 0;
    if (!Parse(name, &pid)) continue;
    const std::string path = folder + name;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
    const time_t age = now - st.st_mtime;
    if (age > kAbandoned || (age > kGrace && WriterGone(name, pid))) unlink(path.c_str());
  }
  closedir(dir);
}

}  // namespace Frx::TemporaryName
