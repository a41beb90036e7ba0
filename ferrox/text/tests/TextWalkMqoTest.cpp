// Walks real Metasequoia files with the scanner and the block walker, the way the
// model reader does, and cross-checks the numbers against the C library.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "ferrox/testing/ReadWhole.h"
#include "ferrox/text/Pscanf.h"
#include "ferrox/text/TextFormat.h"

namespace {

namespace fs = std::filesystem;
namespace TF = Frx::TextFormat;

const fs::path kMqoDir = fs::path(SAVORA_SHARED_TESTDATA_DIR) / "mqo-public";

struct Counts {
  int objects = 0;
  int vertices = 0;
  int rawVertices = 0;
  int faces = 0;
  bool reachedEof = false;
};

// One vertex line, checked against sscanf of the same line.
bool ReadVertex(const char*& p) {
  const char* line = p;
  float x = 0, y = 0, z = 0;
  if (!Frx::Pscanf(p, " %f %f %f", &x, &y, &z)) {
    ADD_FAILURE() << "vertex line: " << std::string(line, 40);
    return false;
  }
  float ex = 0, ey = 0, ez = 0;
  EXPECT_EQ(std::sscanf(line, "%f %f %f", &ex, &ey, &ez), 3);
  EXPECT_EQ(x, ex);
  EXPECT_EQ(y, ey);
  EXPECT_EQ(z, ez);
  return true;
}

void ReadObject(const char*& p, const char* end, Counts& counts) {
  int n = 0, bytes = 0;
  while (*p) {
    if (Frx::Pscanf(p, " }")) return;
    if (Frx::Pscanf(p, " vertex %d {", &n)) {
      p = TF::NextParagraph(p);
      for (int i = 0; i < n; ++i) {
        if (!ReadVertex(p)) return;
      }
      counts.vertices += n;
      p = TF::ExitSection(p, 1, end);
    } else if (Frx::Pscanf(p, " BVertex %d {", &n)) {
      const char* block = p;
      ASSERT_NE(Frx::Pscanf(p, " Vector %d [%d]", &n, &bytes), nullptr);
      ASSERT_EQ(bytes, n * 12);
      const char* data = TF::NextParagraph(p);
      ASSERT_LE(data + bytes, end);
      for (int i = 0; i < n * 3; ++i) {
        float f;
        std::memcpy(&f, data + i * 4, 4);
        EXPECT_TRUE(f > -1e6f && f < 1e6f);
      }
      counts.rawVertices += n;
      // The walker jumps over the data; without the end of the buffer their zero
      // bytes end the text.
      EXPECT_EQ(TF::ExitSection(block, 1), nullptr);
      p = TF::ExitSection(block, 1, end);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(TF::ExitSection(data + bytes, 1, end), p);
    } else if (Frx::Pscanf(p, " face %d {", &n)) {
      for (int i = 0; i < n; ++i) {
        int corners = 0, expected = -1;
        EXPECT_EQ(std::sscanf(p, "%d", &expected), 1);
        ASSERT_NE(Frx::Pscanf(p, " %d", &corners), nullptr);
        EXPECT_EQ(corners, expected);
        p = TF::NextParagraph(p);
      }
      counts.faces += n;
      p = TF::ExitSection(p, 1, end);
    } else if (char name[64]; Frx::Pscanf(p, " %s {", name, (int)sizeof name)) {
      p = TF::ExitSection(p, 1, end);
    } else {
      p = TF::NextParagraph(p);
    }
    ASSERT_NE(p, nullptr);
  }
}

// The text is walked up to its terminator, as the reader walks a file it read.
Counts Walk(const std::string& file) {
  Counts counts;
  const char* p = file.c_str();
  const char* end = p + file.size();
  float version = 0;
  EXPECT_NE(Frx::Pscanf(p, " Metasequoia Document"), nullptr);
  EXPECT_NE(Frx::Pscanf(p, " Format Text Ver %f", &version), nullptr);
  EXPECT_FLOAT_EQ(version, 1.1f);
  char name[256];
  while (p && *p) {
    if (Frx::Pscanf(p, " Eof")) {
      counts.reachedEof = true;
      break;
    }
    if (Frx::Pscanf(p, " Object \"%s\" {", name, (int)sizeof name)) {
      ++counts.objects;
      ReadObject(p, end, counts);
      continue;
    }
    // Any other chunk: skip its block when its line opens one, else the line.
    const char* brace = p;
    while (*brace && *brace != '{' && *brace != '\n') ++brace;
    p = *brace == '{' ? TF::ExitSection(brace + 1, 1, end) : TF::NextParagraph(p);
  }
  return counts;
}

TEST(TextWalkMqo, EveryPublicFile) {
  if (!fs::is_directory(kMqoDir)) GTEST_SKIP() << "no public MQO files";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kMqoDir)) {
    if (entry.path().extension() != ".mqo") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string text = FrxTest::ReadWhole(entry.path().string());
    const Counts counts = Walk(text);
    EXPECT_TRUE(counts.reachedEof);
    EXPECT_EQ(counts.objects > 0, text.find("Object \"") != std::string::npos);
    EXPECT_EQ(counts.faces > 0, counts.objects > 0);
    ++files;
  }
  EXPECT_GT(files, 10);
}

TEST(TextWalkMqo, RawVertexBlock) {
  const fs::path path = kMqoDir / "single_object_with_bvertex.mqo";
  if (!fs::exists(path)) GTEST_SKIP() << "no public MQO files";
  const Counts counts = Walk(FrxTest::ReadWhole(path.string()));
  EXPECT_TRUE(counts.reachedEof);
  EXPECT_EQ(counts.rawVertices, 8);
  EXPECT_EQ(counts.vertices, 0);
  EXPECT_EQ(counts.faces, 6);
}

}  // namespace
