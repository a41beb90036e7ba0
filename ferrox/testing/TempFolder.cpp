#include "ferrox/testing/TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "ferrox/testing/ReadWhole.h"

namespace FrxTest {

TempFolder::TempFolder() {
  std::string pattern = ::testing::TempDir() + "savora-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const char* made = mkdtemp(name.data());
  EXPECT_NE(made, nullptr) << pattern;
  native_ = made ? std::string(made) + "/" : std::string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!native_.empty()) std::filesystem::remove_all(native_, ignored);
}

std::string TempFolder::System(const std::string& name) const {
  std::string folder = native_;
  for (char& c : folder)
    if (c == '/') c = '\\';
  return folder + name;
}

std::string TempFolder::Put(const std::string& name, const std::string& bytes) const {
  const std::string path = Native(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string TempFolder::Get(const std::string& name) const { return ReadWhole(Native(name)); }

bool TempFolder::Exists(const std::string& name) const {
  std::error_code ignored;
  return std::filesystem::exists(Native(name), ignored);
}

size_t TempFolder::Count(const std::string& sub) const {
  size_t n = 0;
  for (auto it = std::filesystem::directory_iterator(native_ + sub); it != std::filesystem::directory_iterator();
       ++it)
    ++n;
  return n;
}

const TempFolder& ProgramFolder() {
  static const TempFolder folder;
  return folder;
}

}  // namespace FrxTest
