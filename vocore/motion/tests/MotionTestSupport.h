// Helpers of the motion and character tests: a headless master, a memory
// stream for the writer and a reader over a string.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ferrox/file/File.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/vocore/VoMaster.h"

namespace motiontest {

class MemoryFile {
 public:
  MemoryFile() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryFile() {
    if (file_) std::fclose(file_);
    std::free(data_);
  }
  FILE* get() { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  FILE* file_;
};

// The reader frees its buffer with Frx::File::Free, so the text goes through a file.
inline VoLoad* Reader(const std::string& text) {
  const std::string path = ::testing::TempDir() + "motion_case.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  unsigned long size = 0;
  return new VoLoad(Frx::File::ReadText(path.c_str(), &size));
}

class MasterTest : public ::testing::Test {
 protected:
  void SetUp() override { master.Initialize(nullptr); }
  void TearDown() override { master.Uninitialize(); }
  VoMaster master;
};

inline void ExpectNear(const Frx::Pvector& a, const Frx::Pvector& b, float tol = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

inline void ExpectNear(const Frx::Pquaternion& a, const Frx::Pquaternion& b, float tol = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
  EXPECT_NEAR(a.w, b.w, tol);
}

}  // namespace motiontest
