// The reader alone, without a master: what it takes from a text, and how it
// refuses texts whose counts, channels or values do not add up.
#include <gtest/gtest.h>

#include "SorvelFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "plugins/Sorvel/BvhParser.h"

namespace sorveltest {
namespace {

Bvh::Document Parse(const std::string& text, std::string* error = nullptr, int* line = nullptr) {
  Bvh::Document doc;
  std::string message;
  const int ok = Bvh::ParseBvhDocument(text.data(), text.size(), doc, message, line);
  if (error) *error = ok ? std::string() : message;
  return doc;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

TEST(BvhParser, ReadsNodesChannelsAndFrames) {
  std::string error;
  const Bvh::Document doc = Parse(FixtureText("two-roots"), &error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(doc.nodes.size(), 5u);
  const Bvh::Node &hips = doc.nodes[0], &site = doc.nodes[2], &prop = doc.nodes[3];
  EXPECT_TRUE(hips.parent == -1 && hips.name == "Hips" && hips.order == 0x213 && hips.position == 0);
  EXPECT_TRUE(hips.rotation[0] == 3 && hips.rotation[2] == 5 && hips.offset.z == 3.0f);
  EXPECT_TRUE(site.kind == Bvh::Node::END_SITE && site.parent == 1 && site.offset.y == 2.0f);
  // Positions after the rotations are read where they stand.
  EXPECT_TRUE(prop.parent == -1 && prop.order == 0x123 && prop.rotation[0] == 9 && prop.position == 12);
  EXPECT_TRUE(doc.channels == 15 && doc.frames == 3 && doc.values.size() == 45u);
  EXPECT_TRUE(doc.Frame(1)[0] == 0.5f && doc.Frame(2)[8] == 15.0f);
}

// What other writers put in files reads as the plain form does; frames that
// do not each stand on their own line are read across line ends and logged.
TEST(BvhParser, TakesTheFormsOtherWritersUse) {
  const std::string base = FixtureText("two-roots");
  const Bvh::Document plain = Parse(base);
  ASSERT_EQ(plain.values.size(), 45u);
  const std::string acrossLines = "フレームの行の値が 15 個ではありません。3 フレームの値を行をまたいで順に読みました。";
  const struct {
    const char* label;
    std::string text;
    int acrossFrom = 0;  // the line logged as the first that is no whole frame; 0: none
  } cases[] = {
      {"CR LF line ends", Replace(base, "\n", "\r\n")},
      {"keywords in any case", Replace(Replace(Replace(base, "ROOT", "root"), "End Site", "end site"), "Frames:", "FRAMES:")},
      {"blanks after names and channels", Replace(Replace(base, "Hips\n", "Hips \t\n"), "Xrotation\n", "Xrotation \n")},
      {"a frame time without a leading digit", Replace(base, "0.033333", ".0083333")},
      {"a spaced count", Replace(base, "Frames: 3", "Frames:    3")},
      {"tabs and blank lines between frames", Replace(base, " 12 13 14\n", "\t12\t13\t14\t\n\n  \n")},
      {"signed and bare-pointed numbers", Replace(Replace(base, "0.5 1 2", "+.5 1. 2.0"), "OFFSET 0 5 0", "OFFSET .0 5 -0")},
      {"a last line without its line end", base.substr(0, base.size() - 1)},
      {"frames wrapped over lines", Replace(Replace(base, " 10 20 30", "\n10\n20 30"), " 12 13 14\n0.5", "\n12 13\n14 0.5"),
       28},
      {"a short frame line, then a long one", Replace(base, " 14\n1 1 2", "\n14 1 1 2"), 29},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string error;
    const FrxTest::LogCapture log;
    const Bvh::Document doc = Parse(c.text, &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(doc.nodes.size(), plain.nodes.size());
    EXPECT_EQ(doc.values, plain.values);
    EXPECT_EQ(log.Count(acrossLines), c.acrossFrom ? 1 : 0) << log.Text();
    if (c.acrossFrom) {
      EXPECT_TRUE(log.Contains("　　" + std::to_string(c.acrossFrom) + " 行目: " + acrossLines)) << log.Text();
    }
  }
}

// Every refusal shows the one structure message and names the line where
// reading stopped; reading never goes on with values from the wrong place.
TEST(BvhParser, RefusesWhatDoesNotAddUp) {
  const std::string joint = "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
  auto channels = [](const char* list) { return "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS " + std::string(list) + "\n}\n"; };
  const std::string noCount = Replace(BvhText(joint, 0, ""), "Frames: 0", "Frames:");
  std::string zeroByte = FixtureText("two-roots");
  zeroByte[zeroByte.find("0.5 1 2")] = '\0';
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "JOINT j\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n";
    return BvhText(text + Replace(std::string(size_t(depth), '}'), "}", "}\n"), 0, "");
  };
  EXPECT_EQ(Parse(nested(Bvh::kMaxDepth)).nodes.size(), size_t(Bvh::kMaxDepth));
  const struct {
    const char* label;
    std::string text;
    int line;
  } cases[] = {
      {"no hierarchy", "MOTION\nFrames: 0\nFrame Time: 1\n", 1},
      {"no joint", BvhText("", 0, ""), 2},
      {"cut in the hierarchy", "HIERARCHY\nROOT a\n{\nOFFSET 0 0 0\n", 5},
      {"an unclosed joint", BvhText("ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n", 0, ""), 6},
      {"a joint without a name", BvhText("ROOT\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n", 0, ""), 2},
      {"an End Site outside a joint", BvhText("End Site\n{\nOFFSET 0 0 0\n}\n" + joint, 0, ""), 2},
      {"two rotations", BvhText(channels("2 Zrotation Yrotation"), 1, "0 0\n"), 5},
      {"a position alone", BvhText(channels("4 Xposition Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"positions out of order", BvhText(channels("6 Yposition Xposition Zposition Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"a rotation twice", BvhText(channels("3 Zrotation Zrotation Xrotation"), 1, "0 0 0\n"), 5},
      {"fewer channels than stated", BvhText(channels("6 Zrotation Yrotation Xrotation"), 1, "0 0 0\n"), 6},
      {"more channels than stated", BvhText(channels("3 Xposition Yposition Zposition Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"a channel count beyond any joint", BvhText(channels("2147483647 Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"an unknown channel", BvhText(channels("3 Zrotation Yrotation Wrotation"), 1, ""), 5},
      {"no frame count", noCount, 9},
      {"a negative frame count", BvhText(joint, -1, ""), 8},
      {"an exponent", BvhText(joint, 2, "0 1e-05 0\n1 2 3\n"), 10},
      {"a stray word", BvhText(joint, 2, "0 0 zero\n1 2 3\n"), 10},
      {"a short frame line", BvhText(joint, 2, "0 0\n1 2 3\n"), 10},
      {"a long frame line", BvhText(joint, 2, "0 0 0 0\n1 2 3\n"), 10},
      {"a cut frame line", BvhText(joint, 2, "0 0 0\n1 2"), 11},
      {"a wrapped frame a value short", BvhText(joint, 2, "0 0\n0 1\n2\n"), 10},
      {"a wrapped frame a value over", BvhText(joint, 2, "0 0\n0 1 2 3\n4\n"), 10},
      {"a wrapped frame and a stray word", BvhText(joint, 2, "0 0\n0 1 2 three\n"), 10},
      {"fewer frames than stated", BvhText(joint, 3, "0 0 0\n1 2 3\n"), 12},
      {"a huge frame count", BvhText(joint, 2147483647, "0 0 0\n1 2 3\n"), 12},
      {"a value beyond a float", BvhText(joint, 1, "0 0 1" + std::string(40, '0') + "\n"), 10},
      {"a zero byte before the second frame", zeroByte, 29},
      {"joints nested too deep", nested(Bvh::kMaxDepth + 1), 2 + 4 * Bvh::kMaxDepth},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string error;
    int line = 0;
    const Bvh::Document doc = Parse(c.text, &error, &line);
    EXPECT_TRUE(IsStructureError(error)) << error;
    EXPECT_EQ(line, c.line);
    // Nothing is reserved beyond what the text can hold.
    EXPECT_LE(doc.values.capacity(), c.text.size());
  }
}

// A hierarchy nested too deep is refused with the structure message and a
// log line naming its deepest joint and how deep it lies, End Sites and
// shallower roots around it counting for nothing.
TEST(BvhParser, SaysHowDeepATooDeepHierarchyNests) {
  // A ROOT and depth - 1 JOINTs named <prefix><level>, an End Site under the last.
  auto chain = [](const std::string& prefix, int depth) {
    std::string text;
    for (int i = 1; i <= depth; ++i)
      text += (i == 1 ? "ROOT " : "JOINT ") + prefix + std::to_string(i) +
              "\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n";
    text += "End Site\n{\nOFFSET 0 1 0\n}\n";
    for (int i = 0; i < depth; ++i) text += "}\n";
    return text;
  };
  const struct {
    const char* label;
    std::string hierarchy;
    const char* deepest;
    int depth;
  } cases[] = {
      {"one over", chain("j", Bvh::kMaxDepth + 1), "j129", 129},
      {"far over", chain("j", 5000), "j5000", 5000},
      {"a shallow root first, a deeper one after", chain("a", 3) + chain("b", 200) + chain("c", 150), "b200", 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const FrxTest::LogCapture log;
    std::string error;
    Parse(BvhText(c.hierarchy, 0, ""), &error);
    EXPECT_TRUE(IsStructureError(error)) << error;
    EXPECT_TRUE(log.Contains("　　関節 \"" + std::string(c.deepest) + "\" の階層が深すぎます (" + std::to_string(c.depth) +
                             " 段、上限 128 段)。\n"))
        << log.Text();
    EXPECT_EQ(log.Count("Not BVH format"), 0) << log.Text();
  }
}

}  // namespace
}  // namespace sorveltest
