#include "plugins/testing/GoldenCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ferrox/testing/ReadWhole.h"

namespace plugtest {

std::vector<std::string> GoldenFolders(const std::string& dir) {
  std::vector<std::string> folders;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.is_directory()) folders.push_back(entry.path().string() + "/");
  std::sort(folders.begin(), folders.end());
  return folders;
}

void ExpectGoldenFile(const std::string& expected, const std::string& actual) {
  const char* update = std::getenv("SAVORA_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(expected, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(expected)) << "missing expected file " << expected;
  EXPECT_EQ(FrxTest::ReadWhole(expected), actual) << "differs from " << expected;
}

}  // namespace plugtest
