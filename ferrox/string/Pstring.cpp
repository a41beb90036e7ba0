#include "ferrox/string/Pstring.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Frx {

namespace {

unsigned int ToPosition(std::string::size_type pos) {
  return pos == std::string::npos ? Pstring::npos : static_cast<unsigned int>(pos);
}

std::string::size_type FromPosition(unsigned int pos) {
  return pos == Pstring::npos ? std::string::npos : pos;
}

int CompareBytes(const std::string& a, const char* b, size_t bLength) {
  const size_t common = a.size() < bLength ? a.size() : bLength;
  const int c = std::memcmp(a.data(), b, common);
  if (c != 0) return c < 0 ? -1 : 1;
  if (a.size() == bLength) return 0;
  return a.size() < bLength ? -1 : 1;
}

}  // namespace

Pstring::Pstring(const char* text) {
  if (text) text_ = text;
}

Pstring::Pstring(unsigned int n) : text_(n, '\0') {}

Pstring& Pstring::Assign(const char* text) {
  if (text)
    text_ = text;
  else
    text_.clear();
  return *this;
}

Pstring& Pstring::Assign(const Pstring& other) {
  text_ = other.text_;
  return *this;
}

Pstring& Pstring::Append(const char* text) {
  if (text) text_ += text;
  return *this;
}

Pstring& Pstring::Append(const Pstring& other, unsigned int pos, unsigned int n) {
  text_.append(other.text_, pos, FromPosition(n));
  return *this;
}

Pstring& Pstring::Append(unsigned int n, char c) {
  text_.append(n, c);
  return *this;
}

Pstring& Pstring::operator+=(const Pstring& other) {
  text_ += other.text_;
  return *this;
}

Pstring& Pstring::operator+=(const char* text) { return Append(text); }

Pstring& Pstring::operator+=(char c) {
  text_ += c;
  return *this;
}

Pstring Pstring::operator+(const Pstring& other) const {
  Pstring result(*this);
  result += other;
  return result;
}

Pstring Pstring::operator+(const char* text) const {
  Pstring result(*this);
  result += text;
  return result;
}

Pstring Pstring::operator+(char c) const {
  Pstring result(*this);
  result += c;
  return result;
}

char& Pstring::GetAt(unsigned int i) {
  static char sharedEmpty[1];
  if (i >= text_.size()) {
    sharedEmpty[0] = '\0';
    return sharedEmpty[0];
  }
  return text_[i];
}

unsigned int Pstring::Find(const Pstring& what, unsigned int pos) const {
  return ToPosition(text_.find(what.text_, FromPosition(pos)));
}

unsigned int Pstring::Find(const char* what, unsigned int pos) const {
  return ToPosition(text_.find(what ? what : "", FromPosition(pos)));
}

unsigned int Pstring::Find(char what, unsigned int pos) const {
  return ToPosition(text_.find(what, FromPosition(pos)));
}

unsigned int Pstring::ReverseFind(const Pstring& what, unsigned int pos) const {
  return ToPosition(text_.rfind(what.text_, FromPosition(pos)));
}

unsigned int Pstring::ReverseFind(const char* what, unsigned int pos) const {
  return ToPosition(text_.rfind(what ? what : "", FromPosition(pos)));
}

unsigned int Pstring::ReverseFind(char what, unsigned int pos) const {
  return ToPosition(text_.rfind(what, FromPosition(pos)));
}

int Pstring::Compare(const char* text) const {
  if (!text) text = "";
  return CompareBytes(text_, text, std::strlen(text));
}

int Pstring::Compare(const Pstring& other) const {
  return CompareBytes(text_, other.text_.data(), other.text_.size());
}

Pstring& Pstring::Format(const char* format, ...) {
  char buffer[FormatLimit + 1];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) n = 0;
  if (n > static_cast<int>(FormatLimit)) n = FormatLimit;
  text_.assign(buffer, static_cast<size_t>(n));
  return *this;
}

}  // namespace Frx
