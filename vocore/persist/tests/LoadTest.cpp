// What the reader accepts, and how it ends on broken text.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "ferrox/file/File.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

VoLoad* Reader(const std::string& text) { return votest::NewReader(text); }

TEST(VoLoad, BlocksAndEntries) {
  std::unique_ptr<VoLoad> load(Reader("\tbone {\n\tname = \"b1\"\n\tendframe = 12\n}\nrest {\n}\n"));
  {
    EXPECT_EQ(load->OpenChunk("Locate"), 0);
    EXPECT_EQ(load->OpenChunk("Bone"), 1);
    EXPECT_EQ(load->GetDepth(), 1);
  }
  {
    const char* before = load->GetCursor();
    int frame = 0;
    EXPECT_EQ(load->Read(" endframe = %d", &frame), 0);
    EXPECT_EQ(load->GetCursor(), before);
    char name[16];
    EXPECT_EQ(load->Read(" name = \"%s\"", name, static_cast<int>(sizeof name)), 1);
    EXPECT_STREQ(name, "b1");
    EXPECT_EQ(load->Read(" endframe = %d", &frame), 1);
    EXPECT_EQ(frame, 12);
  }
  {
    EXPECT_EQ(load->CloseChunk(), 1);
    EXPECT_EQ(load->GetDepth(), 0);
    EXPECT_EQ(load->OpenChunk("REST"), 1);
    EXPECT_EQ(load->CloseChunk(), 1);
    EXPECT_EQ(load->NextParam(), 1);  // past the last line end
    EXPECT_TRUE(load->AtEnd());
    EXPECT_EQ(load->NextParam(), 0);
  }
}

TEST(VoLoad, NamesAreMatchedAsText) {
  std::unique_ptr<VoLoad> load(Reader("a%d {\n}\nBonez {\n}\n"));
  EXPECT_EQ(load->OpenChunk("a%d"), 1);  // "%" in a name is no conversion
  EXPECT_EQ(load->CloseChunk(), 1);
  EXPECT_EQ(load->OpenChunk("Bone"), 0);  // the name must end before the brace
  std::string longName(3000, 'q');
  EXPECT_EQ(load->OpenChunk(longName.c_str()), 0);
  EXPECT_EQ(load->OpenChunk(""), 0);
  EXPECT_EQ(load->OpenChunk(nullptr), 0);
  EXPECT_EQ(load->OpenChunk("bonez"), 1);
}

TEST(VoLoad, BrokenTextEndsTheReadWithAFailure) {
  {
    std::unique_ptr<VoLoad> load(Reader("Item {\n\tname = \"x\"\n\tSub {\n"));
    ASSERT_EQ(load->OpenChunk("Item"), 1);
    EXPECT_EQ(load->CloseChunk(), 0);
    EXPECT_TRUE(load->AtEnd());
    char name[8];
    EXPECT_EQ(load->Read(" name = \"%s\"", name, static_cast<int>(sizeof name)), 0);
    EXPECT_EQ(load->NextParam(), 0);
  }
  {
    // A raw block whose count runs past the end of the text.
    std::unique_ptr<VoLoad> load(Reader("Item {\n[999]\r\nxx"));
    ASSERT_EQ(load->OpenChunk("Item"), 1);
    EXPECT_EQ(load->CloseChunk(), 0);
    EXPECT_TRUE(load->AtEnd());
  }
  {
    // A value cut off mid-line and a reader loop over it terminate.
    std::unique_ptr<VoLoad> load(Reader("Character {\n\tname = \"unterminated"));
    VoMaster master;
    master.Initialize(nullptr);
    VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
    ASSERT_EQ(load->OpenChunk("Character"), 1);
    EXPECT_EQ(character->Load(*load), 0);
    EXPECT_STREQ(character->GetName(), "unknown");  // the closing quote never came
    master.ReleaseItem(character);
  }
  {
    VoLoad empty(nullptr);
    EXPECT_EQ(empty.OpenChunk("Item"), 0);
    EXPECT_EQ(empty.CloseChunk(), 0);
    EXPECT_EQ(empty.NextParam(), 0);
  }
}

TEST(VoLoad, AMatchOfNoTextIsNoMatch) {
  // Reader loops repeat their entries until none matches: an entry that
  // matched without moving would be read for ever.
  std::unique_ptr<VoLoad> load(Reader("\x95\\\n\t7 \n"));
  char text[8] = "";
  int number = -1;
  EXPECT_EQ(load->Read("%."), 0);
  EXPECT_EQ(load->Read(" %d", &number), 0);
  const char* start = load->GetCursor();
  EXPECT_EQ(load->Read("%s", text, static_cast<int>(sizeof text)), 1);  // the double-byte line
  EXPECT_STREQ(text, "\x95\\");
  const char* lineEnd = load->GetCursor();
  EXPECT_EQ(lineEnd, start + 2);
  EXPECT_EQ(load->Read("%s", text, static_cast<int>(sizeof text)), 0);  // empty at the line end
  EXPECT_EQ(load->GetCursor(), lineEnd);
  EXPECT_EQ(load->Read(" %."), 1);  // white space is progress
  EXPECT_EQ(load->Read(" %d", &number), 1);
  EXPECT_EQ(number, 7);
}

TEST(VoLoad, ObjectLinesRoundTrip) {
  VoMaster master;
  master.Initialize(nullptr);
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  VoICoordinate* frame = master.NewItem<VoICoordinate>(skeleton);
  frame->SetName("Frame");
  VoICamera* camera = master.NewItem<VoICamera>(character);
  std::unique_ptr<VoLoad> load(
      Reader("Camera {\n\tcoordinate = \"frame\"\n\tname = \"eye\"\n\tcoordinate = \"none\"\n\tx = 1\n}\n"));
  ASSERT_EQ(load->OpenChunk("Camera"), 1);
  EXPECT_EQ(camera->Load(*load), 0);  // stops at the unknown line
  EXPECT_STREQ(camera->GetName(), "eye");
  EXPECT_EQ(camera->GetCoordinate(), frame);  // an unknown name keeps the old one
  EXPECT_EQ(load->NextParam(), 1);
  EXPECT_EQ(load->CloseChunk(), 1);
  master.ReleaseItem(character);
}

}  // namespace
