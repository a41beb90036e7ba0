// The .kvc text: parsing with every way it can go wrong reported (never a
// reader stuck on a line), the exact bytes written, and the pairs a file
// restores on the converter's lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TandrelFixture.h"
#include "plugins/Tandrel/KvcFile.h"

namespace tandreltest {
namespace {

TEST(KvcParse, ReadsPairsAndSaysWhereATextGoesWrong) {
  using Kvc::Status;
  const struct {
    const char* what;
    const char* text;
    Status status;
    bool closed;
    int line;
    size_t pairs;
  } cases[] = {
      {"two pairs", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n\ta <= A\n\tb[L] <= B\n}\nEof", Status::Done,
       true, 0, 2},
      {"CR LF and a final line end", "Savora MotionConvert Text Ver 0.1\r\nMConvert: {\r\n\ta <= A\r\n}\r\nEof\r\n",
       Status::Done, true, 0, 1},
      {"no pairs", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n}\nEof", Status::Done, true, 0, 0},
      {"another header", "Savora Motion Ver 2\nMConvert: {\n}\nEof", Status::BadHeader, false, 1, 0},
      {"no block", "Savora MotionConvert Text Ver 0.1\n\nPairs: {\n}\nEof", Status::BadHeader, false, 3, 0},
      {"a line that is no pair", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n\ta <= A\n\tb = B\n\tc <= C\n}\nEof",
       Status::BadLine, false, 4, 1},
      {"a pair without its source", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n\ta <=\n}\nEof",
       Status::BadLine, false, 3, 0},
      {"the text ends in the block", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n\ta <= A\n", Status::BadLine,
       false, 4, 1},
      {"no Eof", "Savora MotionConvert Text Ver 0.1\nMConvert: {\n\ta <= A\n}\nEnd", Status::NoEof, true, 5, 1},
      {"empty", "", Status::BadHeader, false, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Kvc::Document doc = Kvc::Parse(c.text);
    EXPECT_EQ(doc.status, c.status);
    EXPECT_EQ(doc.closed, c.closed);
    EXPECT_EQ(doc.line, c.line);
    EXPECT_EQ(doc.pairs.size(), c.pairs);
  }
  const Kvc::Document two = Kvc::Parse(cases[0].text);
  ASSERT_EQ(two.pairs.size(), 2u);
  EXPECT_EQ(two.pairs[1].destination, "b[L]");
  EXPECT_EQ(two.pairs[1].source, "B");
  EXPECT_EQ(Kvc::Parse(nullptr).status, Status::BadHeader);

  // The names as an item's name is matched, and as they write and read back.
  const struct {
    const char* line;
    const char* destination;
    const char* source;
  } names[] = {
      {"\ta <= A\t# note", "a", "A"},
      {"\ta <= A\r\x02\tB <= C", "a", "A"},
      {"\ta <= A  \t", "a", "A"},
      {"\ta <= b <= c", "a", "b <= c"},
      {"\tソ <= 表 x", "ソ", "表 x"},
  };
  for (const auto& n : names) {
    SCOPED_TRACE(n.line);
    const std::string text = std::string("Savora MotionConvert Text Ver 0.1\nMConvert: {\n") + n.line + "\n}\nEof";
    const Kvc::Document doc = Kvc::Parse(text.c_str());
    ASSERT_EQ(doc.status, Status::Done);
    ASSERT_EQ(doc.pairs.size(), 1u);
    EXPECT_EQ(doc.pairs[0].destination, n.destination);
    EXPECT_EQ(doc.pairs[0].source, n.source);
    const Kvc::Document again = Kvc::Parse(Kvc::Text(doc.pairs).c_str());
    ASSERT_EQ(again.pairs.size(), 1u);
    EXPECT_EQ(again.pairs[0].destination, n.destination);
    EXPECT_EQ(again.pairs[0].source, n.source);
  }
}

TEST(KvcParse, NamesWithBlanksReadBackAndUnwritableOnesAreKnown) {
  const struct {
    const char *destination, *source;
    bool writable;
  } names[] = {
      {"Left Leg", "Left Leg", true}, {"Left  Up\x01Leg", "L  x", true}, {"a<=b", "c<=d", true},
      {"a", "b <= c", true},          {"Hips", "<= x", true},           {"ソ 表", "能 予", true},  // trail bytes 0x5C
      {"}x", "y", true},              {"a <= b", "c", false},           {"x <=", "y", false},
      {" lead", "x", false},          {"trail ", "x", false},           {"x", " lead", false},
      {"x", "trail\t", false},        {"x", "tab\tinside", false},      {"a\nb", "c", false},
      {"}", "x", false},              {"}ソ", "x", false},              {"", "x", false},
  };
  std::vector<Kvc::Pair> writable;
  for (const auto& n : names) {
    SCOPED_TRACE(std::string(n.destination) + " / " + n.source);
    EXPECT_EQ(Kvc::Writable({n.destination, n.source}), n.writable);
    if (n.writable) writable.push_back({n.destination, n.source});
  }
  // All writable ones in one file, CR LF as written in text mode.
  std::string text = Kvc::Text(writable);
  for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.insert(at, "\r");
  const Kvc::Document doc = Kvc::Parse(text.c_str());
  EXPECT_EQ(doc.status, Kvc::Status::Done);
  ASSERT_EQ(doc.pairs.size(), writable.size());
  for (size_t i = 0; i < writable.size(); ++i)
    EXPECT_EQ(doc.pairs[i].destination + " / " + doc.pairs[i].source,
              writable[i].destination + " / " + writable[i].source);
}

class KvcFileTest : public TandrelFixture {
 protected:
  void SetUp() override {
    TandrelFixture::SetUp();
    destination = NewCharacter("demo");
    source = NewCharacter("capture");
    BuildSkeleton(master, destination, {{"hips", "", {0, 100, 0}}, {"thigh", "hips", {9, -8, 0}},
                                        {"shin", "thigh", {0, -42, 0}}});
    BuildSkeleton(master, source, {{"Hips", "", {0, 0, 0}}, {"LeftUpLeg", "Hips", {1, -2, 0}},
                                   {"LeftLeg", "LeftUpLeg", {2, -7, 0}}});
  }
  VoICharacter* destination = nullptr;
  VoICharacter* source = nullptr;
};

TEST_F(KvcFileTest, WritesThePairsInListOrderAndReadsThemBack) {
  const std::string path = folder.System("pairs.kvc");
  {
    ConvertSession session(destination, source);
    session.Pair(JointOf(destination, "shin"), JointOf(source, "LeftLeg"));
    session.Pair(JointOf(destination, "hips"), JointOf(source, "Hips"));
    EXPECT_EQ(session.Label(JointOf(destination, "shin")), "shin <= LeftLeg");
    EXPECT_EQ(session.Label(JointOf(destination, "thigh")), "thigh");
    ASSERT_EQ(session.WriteConvertFile(path.c_str()), 1);
  }
  EXPECT_EQ(folder.Get("pairs.kvc"),
            "Savora MotionConvert Text Ver 0.1\r\nMConvert: {\r\n\thips <= Hips\r\n\tshin <= LeftLeg\r\n}\r\nEof");

  ConvertSession session(destination, source);
  ASSERT_EQ(session.ReadConvertFile(path.c_str()), 1);
  EXPECT_EQ(session.PairOf(JointOf(destination, "hips")), JointOf(source, "Hips"));
  EXPECT_EQ(session.PairOf(JointOf(destination, "thigh")), nullptr);
  EXPECT_EQ(session.PairOf(JointOf(destination, "shin")), JointOf(source, "LeftLeg"));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(KvcFileTest, NamesWithBlanksSurviveAWriteAndUnwritableOnesAreLeftOut) {
  VoICharacter* to = NewCharacter("to");
  VoICharacter* from = NewCharacter("from");
  BuildSkeleton(master, to, {{"Hips", "", {0, 1, 0}}, {"Left Leg", "Hips", {1, 0, 0}}, {"a <= b", "Hips", {2, 0, 0}}});
  BuildSkeleton(master, from, {{"Hips", "", {0, 1, 0}}, {"Left Leg", "Hips", {1, 0, 0}}});
  const std::string path = folder.System("blanks.kvc");
  {
    ConvertSession session(to, from);
    session.Pair(JointOf(to, "Hips"), JointOf(from, "Hips"));
    session.Pair(JointOf(to, "Left Leg"), JointOf(from, "Left Leg"));
    session.Pair(JointOf(to, "a <= b"), JointOf(from, "Left Leg"));
    ASSERT_EQ(session.WriteConvertFile(path.c_str()), 1);
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"名前を保存できない関連付けを 1 個除いて保存しました。\na <= b <= Left Leg\n"});
  // The file the dialog wrote with these names, and this one, read back whole.
  for (const std::string& file : {std::string(SAVORA_TESTDATA_DIR) + "/kvc/blank-names.kvc", path}) {
    SCOPED_TRACE(file);
    boxes.Clear();
    ConvertSession session(to, from);
    ASSERT_EQ(session.ReadConvertFile(file.c_str()), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    EXPECT_EQ(session.PairOf(JointOf(to, "Hips")), JointOf(from, "Hips"));
    EXPECT_EQ(session.PairOf(JointOf(to, "Left Leg")), JointOf(from, "Left Leg"));
    EXPECT_EQ(session.PairOf(JointOf(to, "a <= b")), nullptr);
  }
}

TEST_F(KvcFileTest, ReportsMissingItemsAndBrokenFilesAndKeepsThePairsRead) {
  const std::string header = "Savora MotionConvert Text Ver 0.1\r\nMConvert: {\r\n";
  const struct {
    const char* what;
    std::string text;
    int result;
    const char* box;  // "" none; "%s" stands for the path
    bool hips, thigh;  // paired afterwards
  } cases[] = {
      {"an unknown destination is ignored", header + "\tnone <= Hips\r\n\thips <= Hips\r\n}\r\nEof", 1, "", true,
       false},
      {"an unknown source", header + "\thips <= Hips\r\n\tthigh <= Nothing\r\n}\r\nEof", 1,
       "すべてのアイテムを関連付けすることができませんでした。", true, false},
      {"a stray line", header + "\thips <= Hips\r\n\tthigh = LeftUpLeg\r\n\tshin <= LeftLeg\r\n}\r\nEof", 0,
       "オープン中にエラーが発生しました。\nエラーが発生した場所(%s:4)\n", true, false},
      {"no Eof", header + "\tthigh <= LeftUpLeg\r\n}\r\n", 0,
       "オープン中にエラーが発生しました。\nエラーが発生した場所(%s:5)\n", false, true},
      {"another header", "Savora Motion Ver 2\r\n", 0,
       "オープン中にエラーが発生しました。\nエラーが発生した場所(%s:1)\n", false, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = "case" + std::to_string(n++) + ".kvc";
    folder.Put(name, c.text);
    const std::string path = folder.System(name);
    boxes.Clear();
    ConvertSession session(destination, source);
    EXPECT_EQ(session.ReadConvertFile(path.c_str()), c.result);
    std::string box = c.box;
    if (size_t at = box.find("%s"); at != std::string::npos) box.replace(at, 2, path);
    EXPECT_EQ(boxes.Texts(), box.empty() ? std::vector<std::string>{} : std::vector<std::string>{box});
    EXPECT_EQ(session.PairOf(JointOf(destination, "hips")) != nullptr, c.hips);
    EXPECT_EQ(session.PairOf(JointOf(destination, "thigh")) != nullptr, c.thigh);
  }
  boxes.Clear();
  ConvertSession session(destination, source);
  const std::string missing = folder.System("missing.kvc");
  EXPECT_EQ(session.ReadConvertFile(missing.c_str()), 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"ファイルが読み込めません。\nファイル名:" + missing});
}

}  // namespace
}  // namespace tandreltest
