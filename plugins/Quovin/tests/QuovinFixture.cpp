#include "QuovinFixture.h"

#include <filesystem>

#include "ferrox/testing/ReadWhole.h"

namespace quovintest {

void QuovinFixture::SetUp() {
  MasterFixture::SetUp();
  master.RegistClassDesc(&importer);
  master.RegistClassDesc(&exporter);
}

VoIItem* QuovinFixture::ImportText(const std::string& text, VoIBranch* into, FakeHost* host) {
  const std::string path = scratch.Put("in.kvm", text);
  return master.Import(path.c_str(), into, host ? host->Flags() : 0);
}

std::string QuovinFixture::ExportBranch(VoIBranch* branch) {
  const std::string path = Scratch("out.kvm");
  std::filesystem::remove(path);
  return master.Export(path.c_str(), branch, 0) ? FrxTest::ReadWhole(path) : std::string();
}

std::vector<VoIMotion*> QuovinFixture::Motions(VoIBranch* branch) {
  std::vector<VoIMotion*> motions;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c))
    if (VoIMotion* m = c->IsMotion()) motions.push_back(m);
  return motions;
}

std::string KvmText(const std::string& blocks) { return "Savora Motion Ver 2\n" + blocks + "Eof\n"; }

}  // namespace quovintest
