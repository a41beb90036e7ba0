// Frx::Pstring: the counted 8-bit (Shift-JIS) string that every interface of the
// system passes by value.
#pragma once

#include <concepts>
#include <cstddef>
#include <string>

namespace Frx {

class Pstring {
 public:
  // The not-found position: the all-ones value of an unsigned 32-bit integer.
  static constexpr unsigned int npos = 0xFFFFFFFFu;
  // Longest text that Format produces.
  static constexpr unsigned int FormatLimit = 4096;

  Pstring() = default;
  Pstring(const char* text);  // NOLINT: implicit, as texts are passed everywhere
  Pstring(const Pstring& other) = default;
  Pstring(Pstring&& other) noexcept = default;
  explicit Pstring(unsigned int n);  // n zero bytes
  explicit Pstring(std::string text) : text_(std::move(text)) {}
  ~Pstring() = default;

  Pstring& Assign(const char* text);
  Pstring& Assign(const Pstring& other);
  Pstring& operator=(const char* text) { return Assign(text); }
  Pstring& operator=(const Pstring& other) = default;
  Pstring& operator=(Pstring&& other) noexcept = default;

  Pstring& Append(const char* text);
  // At most n characters of other from pos; pos past the end throws std::out_of_range.
  Pstring& Append(const Pstring& other, unsigned int pos, unsigned int n);
  Pstring& Append(unsigned int n, char c);
  Pstring& operator+=(const Pstring& other);
  Pstring& operator+=(const char* text);
  Pstring& operator+=(char c);
  Pstring operator+(const Pstring& other) const;
  Pstring operator+(const char* text) const;
  Pstring operator+(char c) const;

  // Never null: an empty string hands out an empty text.
  const char* Get() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }  // NOLINT

  // Writable access; an index past the length gives a shared empty text.
  char& GetAt(unsigned int i);
  // Read-only access without a check.
  char GetAt(unsigned int i) const { return text_.data()[i]; }
  template <std::integral I>
  char& operator[](I i) { return GetAt(static_cast<unsigned int>(i)); }
  template <std::integral I>
  char operator[](I i) const { return GetAt(static_cast<unsigned int>(i)); }

  unsigned int Size() const { return static_cast<unsigned int>(text_.size()); }
  unsigned int Length() const { return Size(); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  void Resize(unsigned int n) { text_.resize(n, '\0'); }
  void Reserve(unsigned int n) { text_.reserve(n); }

  unsigned int Find(const Pstring& what, unsigned int pos = 0) const;
  unsigned int Find(const char* what, unsigned int pos = 0) const;
  unsigned int Find(char what, unsigned int pos = 0) const;
  unsigned int ReverseFind(const Pstring& what, unsigned int pos = npos) const;
  unsigned int ReverseFind(const char* what, unsigned int pos = npos) const;
  unsigned int ReverseFind(char what, unsigned int pos = npos) const;

  // -1, 0 or 1: bytes compared as unsigned, then the lengths.
  int Compare(const char* text) const;
  int Compare(const Pstring& other) const;
  bool operator==(const Pstring& other) const { return text_ == other.text_; }
  bool operator==(const char* text) const { return Compare(text) == 0; }
  bool operator!=(const Pstring& other) const { return !(*this == other); }
  bool operator!=(const char* text) const { return !(*this == text); }

  // printf-style; output longer than FormatLimit characters is cut.
  Pstring& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

  const std::string& Std() const { return text_; }

 private:
  std::string text_;
};

inline bool operator==(const char* text, const Pstring& s) { return s == text; }
inline bool operator!=(const char* text, const Pstring& s) { return s != text; }

}  // namespace Frx
