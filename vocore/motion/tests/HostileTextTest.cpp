// Character text with lines that are no entry (Japanese text, lone Shift-JIS
// bytes) inside each kind of block: the readers stop there, keep what came
// before and the character's reader ends.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "ferrox/file/File.h"
#include "vocore/motion/VoIKeyControl.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"
#include "vocore/testing/TextStreams.h"

namespace {

class HostileText : public votest::MasterFixture {
 protected:
  // Reads the character block of the reader into a new character; the reader
  // must then stand past that block with only blanks after it.
  VoICharacter* LoadCharacter(VoLoad& load) {
    VoICharacter* character = Make<VoICharacter>(nullptr, "loaded");
    EXPECT_EQ(load.OpenChunk("Character"), 1);
    EXPECT_EQ(character->Load(load), 0);  // every reader ends at what it does not know
    EXPECT_EQ(load.CloseChunk(), 1);
    EXPECT_EQ(load.GetCursor()[std::strspn(load.GetCursor(), " \t\r\n")], '\0');
    return character;
  }
};

// The reproducers of the endless key loop: each keeps the key before its bad line.
struct HangCase {
  const char* file;
  const char* motion;  // the motion's name
  const char* keys;    // the control's block as written again
};

const HangCase kHangCases[] = {
    {"hang-Int-key-sjis-byte.txt", "m",
     "Int {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n\t\t0 1\n"},
    {"hang-Int-key-japanese-line.txt", "unknown",
     "Int {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n\t\t0 1\n"},
    {"hang-Float-key-sjis-byte.txt", "m",
     "Float {\n\t\tname = \"unknown\"\n\t\tclass = \"\"\n\t\tmember = \"\"\n\t\tendframe = 0\n"
     "\t\t0 1.000000\n"},
};

TEST_F(HostileText, HangReproducersLoadAndKeepTheKeyBeforeTheBadLine) {
  const std::filesystem::path folder = std::filesystem::path(SAVORA_SHARED_TESTDATA_DIR) / "hostile";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no " << folder;
  std::set<std::string> known;
  for (const HangCase& c : kHangCases) {
    SCOPED_TRACE(c.file);
    known.insert(c.file);
    const std::string path = (folder / c.file).string();
    unsigned long size = 0;
    char* text = Frx::File::ReadText(path.c_str(), &size);
    ASSERT_NE(text, nullptr);
    VoLoad load(text);
    VoICharacter* character = LoadCharacter(load);
    VoIMotion* motion = character->GetFirstChild() ? character->GetFirstChild()->IsMotion() : nullptr;
    ASSERT_NE(motion, nullptr);
    EXPECT_STREQ(motion->GetName(), c.motion);
    ASSERT_EQ(motion->GetChildCount(), 1);
    VoIKeyControlBase* control = motion->GetFirstChild()->IsKeyControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetKeySize(), 1);
    // The value too: the bad line once also stored a zero over the key at frame 0.
    EXPECT_NE(votest::SaveText(motion).find(c.keys), std::string::npos) << votest::SaveText(motion);
  }
  // A reproducer added to the folder must get its row here.
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("hang-", 0) == 0 && entry.path().extension() == ".txt") {
      EXPECT_TRUE(known.count(name)) << name << " has no row";
    }
  }
}

// One row per kind of block: its text around the bad line, an entry read
// before it and one that must not be read after it (as written again).
struct BlockCase {
  const char* kind;
  const char* before;
  const char* after;
  const char* kept;
  const char* dropped;
};

const BlockCase kBlockCases[] = {
    {"Character", "\tname = \"hero\"\n", "\tCamera {\n\tname = \"late\"\n\t}\n", "name = \"hero\"", "late"},
    {"Motion", "\tMotion {\n\t\tendframe = 5\n", "\t\tloop = 1\n\t}\n", "endframe = 5", "loop = 1"},
    {"Int", "\tMotion {\n\tInt {\n\t\t0 1\n", "\t\t2 3\n\t}\n\t}\n", "\t0 1\n", "2 3"},
    {"Bool", "\tMotion {\n\tBool {\n\t\t0 1\n", "\t\t2 3\n\t}\n\t}\n", "\t0 1\n", "2 3"},
    {"Float", "\tMotion {\n\tFloat {\n\t\t0 1.5\n", "\t\t2 3\n\t}\n\t}\n", "\t0 1.500000\n", "2 3.0"},
    {"Time", "\tMotion {\n\tTime {\n\t\t0 1.5\n", "\t\t2 3\n\t}\n\t}\n", "\t0 1.500000\n", "2 3.0"},
    {"String", "\tMotion {\n\tString {\n\t\t0 \"a\"\n", "\t\t2 \"b\"\n\t}\n\t}\n", "\t0 \"a\"\n", "\"b\""},
    {"Refer", "\tMotion {\n\tRefer {\n\t\t0 \"a\"\n", "\t\t2 \"b\"\n\t}\n\t}\n", "\t0 \"a\"\n", "\"b\""},
    {"Vector", "\tMotion {\n\tVector {\n\t\tcurve = 1\n\t\t0 (1 2 3)\n", "\t\t2 (4 5 6)\n\t}\n\t}\n",
     "\t0 (1.000000 2.000000 3.000000)\n", "4.0"},
    {"Quaternion", "\tMotion {\n\tQuaternion {\n\t\t0 (0 0 0 1)\n", "\t\t2 (0 1 0 0)\n\t}\n\t}\n",
     "\t0 (0.000000 0.000000 0.000000 1.000000)\n", "\t2 ("},
    {"Skelton", "\tSkelton {\n\t\tname = \"sk\"\n", "\t\tLocate {\n\t\tname = \"l\"\n\t\t}\n\t}\n",
     "name = \"sk\"", "\"l\""},
    {"Locate", "\tSkelton {\n\tLocate {\n\t\tspos = ( 1, 2, 3)\n", "\t\tname = \"late\"\n\t}\n\t}\n",
     "spos = ( 1.000000, 2.000000, 3.000000)", "late"},
    {"Coordinate", "\tSkelton {\n\tCoordinate {\n\t\trot = ( 0, 1, 0, 0)\n", "\t\tpos = ( 4, 5, 6)\n\t}\n\t}\n",
     "\trot = ( 0.000000, 1.000000, 0.000000, 0.000000)", "4.0"},
    {"Bone", "\tSkelton {\n\tBone {\n\t\tsrot = ( 0, 0, 1, 0)\n", "\t\tname = \"late\"\n\t}\n\t}\n",
     "srot = ( 0.000000, 0.000000, 1.000000, 0.000000)", "late"},
    {"Camera", "\tCamera {\n\t\tfov = 0.5\n", "\t\tname = \"late\"\n\t}\n", "fov = 0.500000", "late"},
    {"Light", "\tLight {\n\t\ttype = 2\n", "\t\trange = 7\n\t}\n", "type = 2", "range = 7.0"},
};

// Lines that are no entry of any block: a Shift-JIS character whose second
// byte is "\", Japanese words, half-width kana, a lead byte before the line end.
const char* const kBadLines[] = {"\t\t\x95\\\n", "\t\tテスト comment\n", "\xB1\xB2\n", "\t\x81\n"};

TEST_F(HostileText, EveryBlockStopsAtALineThatIsNoEntry) {
  for (const BlockCase& c : kBlockCases) {
    for (const char* bad : kBadLines) {
      SCOPED_TRACE(testing::Message() << c.kind << " with " << bad);
      const std::string text = std::string("Character {\n") + c.before + bad + c.after + "}\n";
      std::unique_ptr<VoLoad> load(votest::NewReader(text));
      VoICharacter* character = LoadCharacter(*load);
      const std::string saved = votest::SaveText(character);
      EXPECT_NE(saved.find(c.kept), std::string::npos) << saved;
      EXPECT_EQ(saved.find(c.dropped), std::string::npos) << saved;
    }
  }
}

}  // namespace
