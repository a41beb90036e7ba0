#include "SkeletonFixture.h"

#include <cstdio>

#include "ferrox/file/File.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

namespace skeltest {

std::string SaveText(VoIItem* item) {
  FILE* f = std::tmpfile();
  VoSave save(f);
  VoMaster::ExecSave(item, save);
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char chunk[512];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
  std::fclose(f);
  return text;
}

void LoadText(VoIItem* item, const char* block, const std::string& text) {
  const std::string path = ::testing::TempDir() + "skeleton_case.txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  unsigned long size = 0;
  VoLoad load(Frx::File::ReadText(path.c_str(), &size));
  ASSERT_EQ(load.OpenChunk(block), 1);
  item->Load(load);
  load.CloseChunk();
}

Chain MasterTest::MakeChain() {
  Chain c{};
  c.skel = Make<VoISkelton>(nullptr, "");
  c.root = Make<VoILocate>(c.skel, "R");
  c.root->IKchain = 0;
  c.b1 = Make<VoIBone>(c.skel, "B1");
  c.middle = Make<VoILocate>(c.b1, "M");
  c.b2 = Make<VoIBone>(c.b1, "B2");
  c.tip = Make<VoILocate>(c.b2, "T");
  c.b1->SetStartLocate(c.root);
  c.b1->SetEndLocate(c.middle);
  c.b2->SetStartLocate(c.middle);
  c.b2->SetEndLocate(c.tip);
  c.b1->SetHeadVector(Frx::Pvector(0, 0, -1));
  c.b2->SetHeadVector(Frx::Pvector(0, 1, 0));
  c.root->SetWPos(Frx::Pvector(0, 0, 0));
  c.middle->SetWPos(Frx::Pvector(0, 10, 0));
  c.tip->SetWPos(Frx::Pvector(0, 10, 6));
  c.skel->InitialUpdate();
  return c;
}

}  // namespace skeltest
