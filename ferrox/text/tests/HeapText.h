// Test texts copied into heap blocks of exactly their size, so the sanitizer build
// reports any read past their end.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>

namespace textTest {

// The bytes of text and a terminator.
inline std::unique_ptr<char[]> Terminated(std::string_view text) {
  auto block = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(block.get(), text.data(), text.size());
  block[text.size()] = '\0';
  return block;
}

// The bytes of text alone, no terminator.
inline std::unique_ptr<char[]> Unterminated(std::string_view text) {
  auto block = std::make_unique<char[]>(text.size() ? text.size() : 1);
  std::memcpy(block.get(), text.data(), text.size());
  return block;
}

}  // namespace textTest
