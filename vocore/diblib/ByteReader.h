// Bounded cursor over a file image held in memory. Every read checks the
// remaining length; a failed read sets `failed` and yields 0, so a parser can
// read a whole header and test once.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Pos() const { return pos_; }
  size_t Size() const { return size_; }
  size_t Left() const { return size_ - pos_; }
  bool Has(size_t n) const { return n <= size_ - pos_; }
  const uint8_t* Here() const { return data_ + pos_; }

  bool Seek(size_t pos) {
    if (pos > size_) return Fail();
    pos_ = pos;
    return true;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return Fail();
    pos_ += n;
    return true;
  }
  // Pointer to the next n bytes (advancing), or null when fewer remain.
  const uint8_t* Take(size_t n) {
    if (!Has(n)) {
      Fail();
      return nullptr;
    }
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  uint8_t U8() {
    const uint8_t* p = Take(1);
    return p ? p[0] : 0;
  }
  uint16_t U16LE() {
    const uint8_t* p = Take(2);
    return p ? uint16_t(p[0] | p[1] << 8) : 0;
  }
  uint32_t U32LE() {
    const uint8_t* p = Take(4);
    return p ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24 : 0;
  }
  uint16_t U16BE() {
    const uint8_t* p = Take(2);
    return p ? uint16_t(p[0] << 8 | p[1]) : 0;
  }
  uint32_t U32BE() {
    const uint8_t* p = Take(4);
    return p ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]) : 0;
  }

  bool failed = false;

 private:
  bool Fail() {
    failed = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};
