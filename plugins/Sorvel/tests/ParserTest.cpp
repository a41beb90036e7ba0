// The reader alone, without a master: what it takes from a text, and how it
// refuses texts whose counts, channels or values do not add up.
#include <gtest/gtest.h>

#include <string>

#include "SorvelFixture.h"
#include "plugins/Sorvel/BvhParser.h"

namespace sorveltest {
namespace {

const std::string kTwoFrames = TwoRootsFrames(2);

Bvh::Document Parse(const std::string& text, std::string* error = nullptr, int* line = nullptr) {
  Bvh::Document doc;
  std::string message;
  const int ok = Bvh::ParseBvhDocument(text.data(), text.size(), doc, message, line);
  if (error) *error = ok ? std::string() : message;
  return doc;
}

TEST(BvhParser, ReadsNodesChannelsAndFrames) {
  std::string error;
  const Bvh::Document doc = Parse(BvhText(kTwoRoots, 2, kTwoFrames), &error);
  ASSERT_EQ(error, "");
  struct Row {
    Bvh::Node::Kind kind;
    int parent;
    const char* name;
    Frx::Pvector offset;
    unsigned order;
    int position, r0, r1, r2;
  } rows[] = {
      {Bvh::Node::JOINT, -1, "Hips", {1, 2, 3}, 0x213, 0, 3, 4, 5},
      {Bvh::Node::JOINT, 0, "Chest", {0, 5, 0}, 0x123, -1, 6, 7, 8},
      {Bvh::Node::END_SITE, 1, "", {0, 2, 0}, 0, -1, 0, 0, 0},
      {Bvh::Node::JOINT, -1, "Prop", {10, 0, 0}, 0x123, 12, 9, 10, 11},
      {Bvh::Node::END_SITE, 3, "", {1, 0, 0}, 0, -1, 0, 0, 0},
  };
  ASSERT_EQ(doc.nodes.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    const Bvh::Node& n = doc.nodes[i];
    EXPECT_EQ(n.kind, rows[i].kind);
    EXPECT_EQ(n.parent, rows[i].parent);
    EXPECT_EQ(n.name, rows[i].name);
    EXPECT_TRUE(n.offset.x == rows[i].offset.x && n.offset.y == rows[i].offset.y && n.offset.z == rows[i].offset.z);
    if (n.kind != Bvh::Node::JOINT) continue;
    EXPECT_EQ(n.order, rows[i].order);
    EXPECT_EQ(n.position, rows[i].position);
    EXPECT_EQ(n.rotation[0], rows[i].r0);
    EXPECT_EQ(n.rotation[1], rows[i].r1);
    EXPECT_EQ(n.rotation[2], rows[i].r2);
  }
  EXPECT_EQ(doc.channels, 15);
  EXPECT_EQ(doc.frames, 2);
  ASSERT_EQ(doc.values.size(), 30u);
  EXPECT_EQ(doc.Frame(0)[3], 3.0f);
  EXPECT_EQ(doc.Frame(1)[14], 114.0f);
}

// What other writers put in files reads as the plain form does.
TEST(BvhParser, TakesTheFormsOtherWritersUse) {
  const Bvh::Document plain = Parse(BvhText(kTwoRoots, 2, kTwoFrames));
  ASSERT_EQ(plain.values.size(), 30u);
  auto replace = [](std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
  };
  const std::string base = BvhText(kTwoRoots, 2, kTwoFrames);
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"CR LF line ends", replace(base, "\n", "\r\n")},
      {"keywords in any case", replace(replace(replace(base, "ROOT", "root"), "End Site", "end site"), "Frames:", "FRAMES:")},
      {"blanks after names and channels", replace(replace(base, "Hips\n", "Hips \t\n"), "Xrotation\n", "Xrotation \n")},
      {"frame time without a leading digit", replace(base, "0.033333", ".0083333")},
      {"spaced counts", replace(base, "Frames: 2", "Frames:    2")},
      {"tabs and blank lines between frames", replace(replace(base, " 12 13 14\n", "\t12\t13\t14\t\n\n  \n"), "10 11", "10\t 11")},
      {"signed and bare-pointed numbers", replace(replace(base, "0 1 2 3", "0 +1 2. 3.0"), "OFFSET 0 5 0", "OFFSET .0 5 -0")},
      {"a final line without its line end", base.substr(0, base.size() - 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string error;
    const Bvh::Document doc = Parse(c.text, &error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(doc.nodes.size(), plain.nodes.size());
    EXPECT_EQ(doc.values, plain.values);
  }
}

// Every refusal shows the one structure message; reading never goes on with
// values borrowed from the wrong place.
TEST(BvhParser, RefusesWhatDoesNotAddUp) {
  const std::string joint = "ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
  auto single = [](const char* channels) {
    return std::string("ROOT a\n{\nOFFSET 0 0 0\nCHANNELS ") + channels + "\n}\n";
  };
  const struct {
    const char* label;
    std::string text;
    int line;  // where reading stopped
  } cases[] = {
      {"no hierarchy", "MOTION\nFrames: 0\nFrame Time: 1\n", 1},
      {"no joint", BvhText("", 0, ""), 2},
      {"cut in the hierarchy", "HIERARCHY\nROOT a\n{\nOFFSET 0 0 0\n", 5},
      {"unclosed joint", BvhText("ROOT a\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n", 0, ""), 6},
      {"joint without a name", BvhText("ROOT\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n", 0, ""), 2},
      {"End Site outside a joint", BvhText("End Site\n{\nOFFSET 0 0 0\n}\n" + joint, 0, ""), 2},
      {"two rotations", BvhText(single("2 Zrotation Yrotation"), 1, "0 0\n"), 5},
      {"a position alone", BvhText(single("4 Xposition Zrotation Yrotation Xrotation"), 1, "0 0 0 0\n"), 5},
      {"positions out of order", BvhText(single("6 Yposition Xposition Zposition Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"a rotation twice", BvhText(single("3 Zrotation Zrotation Xrotation"), 1, "0 0 0\n"), 5},
      {"fewer channels than stated", BvhText(single("6 Zrotation Yrotation Xrotation"), 1, "0 0 0\n"), 6},
      {"more channels than stated", BvhText(single("3 Xposition Yposition Zposition Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"a channel count beyond any joint", BvhText(single("2147483647 Zrotation Yrotation Xrotation"), 1, ""), 5},
      {"an unknown channel", BvhText(single("3 Zrotation Yrotation Wrotation"), 1, ""), 5},
      {"no frame count", BvhText(joint, 0, "").replace(BvhText(joint, 0, "").find("Frames: 0"), 9, "Frames:"), 9},
      {"a negative frame count", BvhText(joint, -1, ""), 8},
      {"an exponent", BvhText(joint, 2, "0 1e-05 0\n1 2 3\n"), 10},
      {"a stray word", BvhText(joint, 2, "0 0 zero\n1 2 3\n"), 10},
      {"a short frame line", BvhText(joint, 2, "0 0\n1 2 3\n"), 10},
      {"a long frame line", BvhText(joint, 2, "0 0 0 0\n1 2 3\n"), 10},
      {"a cut frame line", BvhText(joint, 2, "0 0 0\n1 2"), 11},
      {"fewer frames than stated", BvhText(joint, 3, "0 0 0\n1 2 3\n"), 12},
      {"a huge frame count", BvhText(joint, 2147483647, "0 0 0\n1 2 3\n"), 12},
      {"a value beyond a float", BvhText(joint, 1, "0 0 1" + std::string(40, '0') + "\n"), 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string error;
    int line = 0;
    const Bvh::Document doc = Parse(c.text, &error, &line);
    EXPECT_TRUE(IsStructureError(error)) << error;
    EXPECT_EQ(line, c.line);
    // Nothing is ever reserved beyond what the text can hold.
    EXPECT_LE(doc.values.capacity(), c.text.size());
  }
}

TEST(BvhParser, EndsAtAZeroByteAndCapsTheNesting) {
  {
    std::string text = BvhText(kTwoRoots, 2, kTwoFrames);
    text[text.find("100 101")] = '\0';
    std::string error;
    Parse(text, &error);
    EXPECT_TRUE(IsStructureError(error)) << "the second frame lies past the end";
  }
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "JOINT j\n{\nOFFSET 0 1 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n";
    for (int i = 0; i < depth; ++i) text += "}\n";
    return BvhText(text, 0, "");
  };
  std::string error;
  EXPECT_EQ(Parse(nested(Bvh::kMaxDepth), &error).nodes.size(), size_t(Bvh::kMaxDepth));
  EXPECT_EQ(error, "");
  Parse(nested(Bvh::kMaxDepth + 1), &error);
  EXPECT_TRUE(IsStructureError(error));
}

}  // namespace
}  // namespace sorveltest
