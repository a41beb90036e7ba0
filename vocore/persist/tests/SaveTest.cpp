// The exact text the writer produces.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "vocore/persist/VoSave.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Collects what a writer puts into a memory stream.
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
  EXPECT_EQ(out.Text(), "Character {\n\tname = \"hero\"\n\tSkelton {\n\t\tname = \"skelton\"\n\t}\n}\n");
  {
    // An object names its coordinate; a coordinate-less object writes its name only.
    MemoryFile objectOut;
    VoSave objectSave(objectOut.get());
    VoICoordinate* frame = master.NewItem<VoICoordinate>(skeleton);
    frame->SetName("frame");
    character->SetCoordinate(frame);
    VoMaster::ExecSave(character, objectSave);
    VoMaster::ExecSave(hip, objectSave);
    EXPECT_EQ(objectOut.Text(),
              "Character {\n\tname = \"hero\"\n\tcoordinate = \"frame\"\n}\n"
              "Locate {\n\tname = \"hip\"\n}\n");
    character->SetCoordinate(nullptr);
  }
  master.ReleaseItem(character);
}

}  // namespace
