#include "plugins/frame/ReadSkips.h"

#include <algorithm>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/string/Sjis.h"

void ReadSkips::Add(int line, std::string what) {
  if (kept_.size() < Kept)
    kept_.push_back({line, std::move(what)});
  else
    ++more_;
}

void ReadSkips::Log(const char* path) const {
  for (const Skip& skip : kept_)
    Frx::theFerrox.Log("%s(%d): %sを読み飛ばしました。\n", path ? path : "", skip.line, skip.what.c_str());
  if (more_ > 0) Frx::theFerrox.Log("%s: ほかに %d 箇所を読み飛ばしました。\n", path ? path : "", int(more_));
}

int TextLines::At(const char* at) {
  if (at < from_) {
    from_ = begin_;
    line_ = 1;
  }
  line_ += int(std::count(from_, at, '\n'));
  from_ = at;
  return line_;
}

std::string LineSnippet(const char* at, const char* end, size_t limit) {
  while (at < end && (*at == ' ' || *at == '\t')) ++at;
  const char* stop = at;
  while (stop < end && *stop != '\n' && *stop != '\r' && *stop != '\0') ++stop;
  size_t length = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(at);
  const auto* last = reinterpret_cast<const unsigned char*>(stop);
  while (at + length < stop) {
    const size_t n = size_t(Frx::Sjis::CharLength(bytes + length, last));
    if (length + n > limit) return std::string(at, length) + "...";
    length += n;
  }
  return std::string(at, length);
}
