#include <gtest/gtest.h>

#include <string>

#include "editor/settings/Settings.h"
#include "ferrox/testing/TempFolder.h"

namespace {

void ExpectColour(const float* c, float r, float g, float b) {
  EXPECT_FLOAT_EQ(c[0], r);
  EXPECT_FLOAT_EQ(c[1], g);
  EXPECT_FLOAT_EQ(c[2], b);
}

TEST(Settings, ParsesTheBlockInAnyOrderSpacingAndCase) {
  struct Case {
    const char* name;
    const char* text;
    float background[3], edge[3], size;
  } cases[] = {
      {"as written", "Preview { \n\tBackgroundColor = ( 0.1, 0.2, 0.3)\n\tCelledgeColor = ( 0.4, 0.5, 0.6)\n"
                     "\tCelledgeSize = 0.7\n}\n",
       {0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, 0.7f},
      {"other order, spacing and case", "  preview{\ncelledgesize=2\n  backgroundcolor=(1,0,1)\n}\n",
       {1, 0, 1}, {0.6f, 0.5f, 0.5f}, 2.0f},
      {"no closing brace", "Preview {\nCelledgeColor = ( 0.1, 0.1, 0.1 )\n", {0, 0, 0}, {0.1f, 0.1f, 0.1f}, 0.5f},
      {"unknown keys skipped", "Preview {\nFog = 1\nCelledgeSize = 0.25\n}\n", {0, 0, 0}, {0.6f, 0.5f, 0.5f}, 0.25f},
      {"outside the block", "CelledgeSize = 3\nPreview {\n}\nCelledgeSize = 4\n", {0, 0, 0}, {0.6f, 0.5f, 0.5f}, 0.5f},
      // A line that matches only in part changes nothing.
      {"partial line", "Preview {\nBackgroundColor = ( 0.9, 0.8\nCelledgeColor = ( 0.2 0.2 0.2 )\n}\n",
       {0, 0, 0}, {0.6f, 0.5f, 0.5f}, 0.5f},
      // Colours are held to 0..1; a negative edge size to 0.
      {"clamped", "Preview {\nBackgroundColor = ( -1, 2, 0.5 )\nCelledgeSize = -3\n}\n", {0, 1, 0.5f},
       {0.6f, 0.5f, 0.5f}, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PreviewSettings s;
    ParseSettings(s, c.text);
    ExpectColour(s.backgroundColor, c.background[0], c.background[1], c.background[2]);
    ExpectColour(s.celEdgeColor, c.edge[0], c.edge[1], c.edge[2]);
    EXPECT_FLOAT_EQ(s.celEdgeSize, c.size);
  }
}

TEST(Settings, WritesTheFiveLinesAndReadsThemBack) {
  FrxTest::TempFolder folder;
  const std::string path = folder.System("savora.ini");
  PreviewSettings s;
  EXPECT_EQ(ReadSettings(s, path.c_str()), 0);  // missing: defaults stay
  ExpectColour(s.celEdgeColor, 0.6f, 0.5f, 0.5f);
  s.backgroundColor[0] = 0.25f;
  s.celEdgeColor[2] = 1.0f;
  s.celEdgeSize = 1.5f;
  ASSERT_EQ(WriteSettings(s, path.c_str()), 1);
  EXPECT_EQ(folder.Get("savora.ini"),
            "Preview { \r\n\tBackgroundColor = ( 0.250000, 0.000000, 0.000000)\r\n"
            "\tCelledgeColor = ( 0.600000, 0.500000, 1.000000)\r\n\tCelledgeSize = 1.500000\r\n}\r\n");
  PreviewSettings back;
  ASSERT_EQ(ReadSettings(back, path.c_str()), 1);
  ExpectColour(back.backgroundColor, 0.25f, 0.0f, 0.0f);
  ExpectColour(back.celEdgeColor, 0.6f, 0.5f, 1.0f);
  EXPECT_FLOAT_EQ(back.celEdgeSize, 1.5f);
}

}  // namespace
