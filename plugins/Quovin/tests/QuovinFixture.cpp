#include "QuovinFixture.h"

#include <filesystem>

#include "plugins/testing/GoldenCases.h"

namespace quovintest {

void QuovinFixture::SetUp() {
  MasterFixture::SetUp();
  master.RegistClassDesc(&importer);
  master.RegistClassDesc(&exporter);
  previous_ = Frx::SetMessageBoxHandler([this](HWND, const char* text, const char*, unsigned) {
    boxes.emplace_back(text);
    return 1;
  });
  ASSERT_FALSE(scratch.path().empty());
}

void QuovinFixture::TearDown() {
  Frx::SetMessageBoxHandler(previous_);
  MasterFixture::TearDown();
}

VoIItem* QuovinFixture::ImportText(const std::string& text, VoIBranch* into, FakeHost* host) {
  const std::string path = scratch.Write("in.kvm", text);
  return master.Import(path.c_str(), into, host ? host->Flags() : 0);
}

std::string QuovinFixture::ExportBranch(VoIBranch* branch) {
  const std::string path = Scratch("out.kvm");
  std::filesystem::remove(path);
  return master.Export(path.c_str(), branch, 0) ? plugtest::ReadWhole(path) : std::string();
}

std::vector<VoIMotion*> QuovinFixture::Motions(VoIBranch* branch) {
  std::vector<VoIMotion*> motions;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c))
    if (VoIMotion* m = c->IsMotion()) motions.push_back(m);
  return motions;
}

std::string KvmText(const std::string& blocks) { return "Savora Motion Ver 2\n" + blocks + "Eof\n"; }

}  // namespace quovintest
