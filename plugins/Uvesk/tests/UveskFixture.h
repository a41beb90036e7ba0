// A headless master with the Uvesk descriptors registered, and meshes made
// in code.
#pragma once

#include <utility>
#include <vector>

#include "plugins/Uvesk/UveskDescs.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/testing/MasterFixture.h"

namespace uvesktest {

class UveskFixture : public votest::MasterFixture {
 protected:
  void SetUp() override {
    MasterFixture::SetUp();
    master.RegistClassDesc(&blenderDesc);
    master.RegistClassDesc(&selecterDesc);
  }
  // A polygon with the positions (fix type 2, as imported), one triangle on the first three.
  VoIPolygon* Mesh(VoIBranch* parent, const char* name, std::vector<Frx::Pvector> positions) {
    votest::MeshData m;
    m.positions = std::move(positions);
    if (m.positions.size() >= 3) m.AddFace({0, 1, 2});
    VoIPolygon* p = votest::AddPolygon(master, parent, m, nullptr);
    p->SetName(name);
    return p;
  }

  VertexBlenderDesc blenderDesc;
  ObjectSelecterDesc selecterDesc;
};

}  // namespace uvesktest
