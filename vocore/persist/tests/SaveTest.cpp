// The exact text the writer produces.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "vocore/persist/VoSave.h"
#include "vocore/testing/TextStreams.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using votest::MemoryFile;


TEST(VoSave, NestedBlocksIndentByDepth) {
  MemoryFile out;
  VoSave save(out.get());
  save.OpenChunk("A");
  save.Write("x = %d\n", 1);
  save.OpenChunk("B");
  save.OpenChunk("C");
  save.Write("pos = ( %f, %f, %f)\n", 1.0, 2.5, -3.0);
  save.CloseChunk();
  save.CloseChunk();
  save.CloseChunk();
  EXPECT_EQ(out.Text(),
            "A {\n\tx = 1\n\tB {\n\t\tC {\n\t\t\tpos = ( 1.000000, 2.500000, -3.000000)\n\t\t}\n\t}\n}\n");
  EXPECT_EQ(save.GetDepth(), 0);
}

TEST(VoSave, NamesAreDataAndDepthNeverWrapsBelowZero) {
  MemoryFile out;
  VoSave save(out.get());
  save.OpenChunk("100%s%n");
  save.CloseChunk();
  save.CloseChunk();  // one too many: stays at depth 0
  save.OpenChunk(nullptr);
  save.CloseChunk();
  std::string longName(5000, 'N');
  save.OpenChunk(longName.c_str());
  save.CloseChunk();
  EXPECT_EQ(out.Text(), "100%s%n {\n}\n}\n {\n}\n" + longName + " {\n}\n");
}

TEST(VoSave, ExecSaveHeadsBlocksWithTheClassName) {
  VoMaster master;
  master.Initialize(nullptr);
  VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
  character->SetName("hero");
  VoISkelton* skeleton = master.NewItem<VoISkelton>(character);
  skeleton->SetName("skelton");
  VoILocate* hip = master.NewItem<VoILocate>(skeleton);
  hip->SetName("hip");
  MemoryFile out;
  VoSave save(out.get());
  save.OpenChunk("Character");
  character->VoIItem::Save(save);
  VoMaster::ExecSave(skeleton, save);
  save.CloseChunk();
  const std::string zero = "( 0.000000, 0.000000, 0.000000)";
  EXPECT_EQ(out.Text(), "Character {\n\tname = \"hero\"\n\tSkelton {\n\t\tname = \"skelton\"\n"
                        "\t\tLocate {\n\t\t\tname = \"hip\"\n\t\t\tspos = " + zero + "\n\t\t\tpos = " + zero +
                        "\n\t\t}\n\t}\n}\n");
  {
    // An object names its coordinate before its own lines.
    MemoryFile objectOut;
    VoSave objectSave(objectOut.get());
    VoICoordinate* frame = master.NewItem<VoICoordinate>(skeleton);
    frame->SetName("frame");
    hip->SetCoordinate(frame);
    VoMaster::ExecSave(hip, objectSave);
    EXPECT_EQ(objectOut.Text(), "Locate {\n\tname = \"hip\"\n\tcoordinate = \"frame\"\n\tspos = " + zero +
                                    "\n\tpos = " + zero + "\n}\n");
    hip->SetCoordinate(nullptr);
  }
  master.ReleaseItem(character);
}

}  // namespace
