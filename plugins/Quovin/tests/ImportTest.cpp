// Importing through the master: the items made, the host's control call
// after each top-level motion, and failures that leave the target as it was.
#include <gtest/gtest.h>

#include "QuovinFixture.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/motion/VoIMotionSet.h"
#include "vocore/skeleton/VoISkelton.h"

namespace quovintest {
namespace {

using KvmImport = QuovinFixture;

const std::string kTwoMotions = KvmText(
    "Motion {\n\tname = \"walk\"\n\tendframe = 40\n\tloop = 1\n"
    "\tVector {\n\t\tname = \"j_hips\"\n\t\tclass = \"Locate\"\n\t\tmember = \"pos\"\n\t\t10 (4 5 6)\n\t}\n"
    "\tQuaternion {\n\t}\n\tString {\n\t}\n\tRefer {\n\t}\n\tTime {\n\t}\n"
    "\tMotion {\n\t\tname = \"child\"\n\t}\n}\n"
    "Motion {\n\tname = \"run\"\n}\n");

TEST_F(KvmImport, BuildsMotionsAndCallsTheHostAfterEachTopLevelMotion) {
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  VoIMotion* old = Make<VoIMotion>(c, "old");
  FakeHost host;
  ASSERT_EQ(ImportText(kTwoMotions, c, &host), c);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  const std::vector<VoIMotion*> motions = Motions(c);
  ASSERT_EQ(motions.size(), 3u);
  EXPECT_EQ(motions[0], old);
  VoIMotion* walk = motions[1];
  EXPECT_EQ(walk->name, "walk");
  EXPECT_EQ(walk->endframe, 40);
  EXPECT_EQ(walk->loop, 1);
  EXPECT_EQ(motions[2]->name, "run");
  ASSERT_EQ(host.controlCalls.size(), 2u) << "one call per top-level motion, none for the nested one";
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(host.controlCalls[i].slot, 33);
    EXPECT_EQ(host.controlCalls[i].target, c);
    EXPECT_EQ(host.controlCalls[i].motion, motions[size_t(i) + 1]);
  }

  // The controls bind as their lines say (values: testdata/kvm).
  VoIControl* position = walk->GetFirstChild()->IsControl();
  ASSERT_NE(position, nullptr);
  EXPECT_STREQ(position->GetOutClassName(), "Locate");
  EXPECT_STREQ(position->GetOutMemberName(), "pos");
  EXPECT_EQ(walk->GetControlSize(), 6);

  // No host, or a target that is no character: no call.
  FakeHost unused;
  VoIMotionSet* set = Make<VoIMotionSet>(nullptr, "set");
  ASSERT_EQ(ImportText(kTwoMotions, set, &unused), set);
  EXPECT_EQ(Motions(set).size(), 2u);
  ASSERT_EQ(ImportText(kTwoMotions, c), c);
  EXPECT_EQ(Motions(c).size(), 5u);
  EXPECT_TRUE(unused.controlCalls.empty());
}

TEST_F(KvmImport, FailuresAddNothingAndKeepTheTarget) {
  const std::string broken = "インポート中にエラーが発生しました。\nエラーが発生した場所(KvmReader.cpp:";
  struct Case {
    const char* name;
    std::string text;  // "-": no file there
    std::string box;   // what the message starts with; empty for none
  };
  const Case cases[] = {
      {"missing file", "-", "ファイルが読み込めません。\nファイル名:"},
      {"another format", "Metasequoia Document\nFormat Text Ver 1.0\nEof\n", ""},
      {"no motion", "Savora Motion Ver 2\nEof\n", broken},
      {"cut after a whole motion", kTwoMotions.substr(0, kTwoMotions.find("Motion {\n\tname = \"run\"")), broken},
      {"cut inside a control", kTwoMotions.substr(0, kTwoMotions.find("10 (4 5")), broken},
      {"a motion line of no kind", KvmText("Motion {\n\tname = \"x\"\n}\nMotion {\n\tspeed = 2\n}\n"), broken},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The user's character with what it holds.
    VoICharacter* chara = Make<VoICharacter>(nullptr, "user");
    Make<VoISkelton>(chara, "skelton");
    VoIMotion* old = Make<VoIMotion>(chara, "old");
    VoIControlVector* keyed = Make<VoIControlVector>(old, "j_hips");
    keyed->SetKey(4, Frx::Pvector(1, 2, 3));
    FakeHost host;
    boxes.Clear();
    const std::string path = c.text == "-" ? Scratch("none.kvm") : scratch.Put("bad.kvm", c.text);
    EXPECT_EQ(master.Import(path.c_str(), chara, host.Flags()), nullptr);
    ASSERT_EQ(boxes.Count(), c.box.empty() ? 0 : 1);
    if (!c.box.empty()) {
      EXPECT_EQ(boxes.Texts()[0].rfind(c.box, 0), 0u) << boxes.Texts()[0];
    }
    EXPECT_FALSE(chara->IsRelease());
    EXPECT_EQ(chara->GetChildCount(), 2);
    EXPECT_FALSE(old->IsRelease());
    EXPECT_EQ(old->GetFirstChild(), keyed);
    EXPECT_EQ(keyed->keys.size(), 1u);
    EXPECT_TRUE(host.controlCalls.empty());
  }
}

// Sixty motions nested with a control in the last put it 61 levels below the
// branch: built where that reaches exactly the engine's limit, refused before
// anything is made one level lower, also when the host imports into a scratch
// branch for a target there.
TEST_F(KvmImport, NestsNoDeeperThanTheLimitBelowTheTarget) {
  constexpr int kMotions = 60, kLevels = kMotions + 1;
  std::string nested;
  for (int i = 0; i < kMotions; ++i) nested += "Motion {\nname = \"m" + std::to_string(i) + "\"\n";
  nested += "Vector {\nname = \"v\"\n}\n";
  for (int i = 0; i < kMotions; ++i) nested += "}\n";
  const std::string path = scratch.Put("deep.kvm", KvmText(nested));
  for (const bool staged : {false, true})
    for (const int above : {VoIBranch::MaxDepth - kLevels, VoIBranch::MaxDepth - kLevels + 1}) {
      SCOPED_TRACE(std::to_string(above) + (staged ? " staged" : ""));
      const bool fits = above + kLevels <= VoIBranch::MaxDepth;
      boxes.Clear();
      FrxTest::LogCapture log;
      VoIBranch* target = Make<VoICharacter>(nullptr, "root");
      for (int i = 0; i < above; ++i) target = Make<VoICharacter>(target, "c");
      VoIBranch* into = staged ? Make<VoIBranch>(nullptr, "scratch") : target;
      VoIItem* result = staged ? master.ImportFor(path.c_str(), into, target, 0) : master.Import(path.c_str(), into, 0);
      EXPECT_EQ(result, fits ? into : nullptr);
      if (fits) {
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{}) << log.Text();
        VoIBranch* at = into;
        for (int i = 0; i < kMotions; ++i) at = at->GetFirstChild()->IsBranch();
        ASSERT_NE(at->GetFirstChild(), nullptr);
        EXPECT_NE(at->GetFirstChild()->IsControlVector(), nullptr);
        continue;
      }
      EXPECT_EQ(into->GetFirstChild(), nullptr);
      ASSERT_EQ(boxes.Count(), 1);
      EXPECT_EQ(boxes.Texts()[0].rfind("インポート中にエラーが発生しました。\nエラーが発生した場所(ImportKVM.cpp:", 0), 0u)
          << boxes.Texts()[0];
      EXPECT_EQ(log.Count("モーション \"m59\" の階層が深すぎます (61 段、上限 60 段)"), 1) << log.Text();
    }
}

// What a taken file holds that is passed over is logged against the file, a
// line each (so many only counted), and the import still succeeds with what
// came before it.
TEST_F(KvmImport, LogsWhatItPassesOver) {
  const std::string nan =
      "Motion {\n\tname = \"k\"\n\tVector {\n\t\tname = \"j_hips\"\n\t\tclass = \"Locate\"\n\t\tmember = \"pos\"\n"
      "\t\t0 (1 2 3)\n\t\t1 (nan 0 0)\n\t\t2 (4 5 6)\n\t}\n}\n";
  std::string deep, many = "Motion {\n";
  for (int d = 0; d <= 65; ++d) deep += "Motion {\nname = \"d" + std::to_string(d) + "\"\n";
  for (int d = 0; d <= 65; ++d) deep += "}\n";
  for (int i = 0; i < 40; ++i) many += "Int {\n}\n";
  const std::string xs(300, 'x');
  const std::string passed = "を読み飛ばしました。";
  const struct {
    const char* label;
    std::string text;
    int lines;
    std::vector<std::string> logged;  // some of them, after "<path>"
  } cases[] = {
      {"read whole", KvmText("Motion {\nname = \"m\"\n}\n"), 0, {}},
      {"a key that is no number", KvmText(nan), 1,
       {"(9): モーション \"k\" の Vector \"j_hips\" の \"1 (nan 0 0)\" から \"}\" まで" + passed}},
      {"motions nested too deep", KvmText(deep), 1, {"(132): モーション \"d64\" の中の 64 段より深いモーション" + passed}},
      {"blocks of other kinds",
       KvmText("Note {\n}\nMotion {\nname = \"m\"\nInt {\n}\nQuaternion {\nname = \"q\"\nEase {\n}\n}\n}\n"), 3,
       {"(2): \"Note\" ブロック" + passed, "(6): モーション \"m\" の中の \"Int\" ブロック" + passed,
        "(10): モーション \"m\" の Quaternion \"q\" の中の \"Ease\" ブロック" + passed}},
      {"a name past 255 bytes", KvmText("Motion {\nname = \"" + xs + "\"\n}\n"), 1,
       {"(3): \"" + xs.substr(0, 40) + "...\" の 255 バイトを超える部分" + passed}},
      {"many", KvmText(many + "}\n"), 33,
       {"(41): モーション \"\" の中の \"Int\" ブロック" + passed, ": ほかに 8 箇所" + passed}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FrxTest::LogCapture log;
    VoICharacter* chara = Make<VoICharacter>(nullptr, "c");
    ASSERT_EQ(ImportText(c.text, chara), chara);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    EXPECT_EQ(log.Count(passed), c.lines) << log.Text();
    for (const std::string& line : c.logged) EXPECT_TRUE(log.Contains(Scratch("in.kvm") + line + "\n")) << log.Text();
  }
  // The keys before the one that is no number stay; the rest of its block goes.
  VoICharacter* chara = Make<VoICharacter>(nullptr, "c");
  ASSERT_EQ(ImportText(KvmText(nan), chara), chara);
  VoIControlVector* hips = Motions(chara)[0]->GetFirstChild()->IsControlVector();
  ASSERT_NE(hips, nullptr);
  ASSERT_EQ(hips->keys.size(), 1u);
  EXPECT_EQ(hips->keys[0].value, Frx::Pvector(1, 2, 3));
}

}  // namespace
}  // namespace quovintest
