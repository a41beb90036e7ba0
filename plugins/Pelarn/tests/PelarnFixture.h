// The headless master with the Pelarn descriptors registered, message boxes
// answered and recorded, and a scratch folder of the test's own.
#pragma once

#include <string>
#include <vector>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Pelarn/ExportMQO.h"
#include "plugins/Pelarn/ImportMQO.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"

namespace pelarntest {

class PelarnFixture : public votest::MasterFixture {
 protected:
  void SetUp() override;

  // A path in the scratch folder.
  std::string Scratch(const std::string& name) const { return scratch.Native(name); }
  // Writes text as a file of the scratch folder and imports it into `into`
  // through the master; the import's result.
  VoIItem* ImportText(const std::string& text, VoIBranch* into, const std::string& name = "model.mqo");
  // The direct children of branch whose class id is classId, in order.
  static std::vector<VoIItem*> Children(VoIBranch* branch, unsigned long classId);
  // The first item named `name` anywhere under branch.
  static VoIItem* Find(VoIBranch* branch, const char* name);

  ImportMQO importer;
  ExportMQO exporter;
  FrxTest::MessageBoxRecorder boxes{IDOK};
  FrxTest::TempFolder scratch;
};

// A Metasequoia text of our version with the given chunks.
std::string Document(const std::string& chunks);
// A 2 x 2 24-bit BMP.
std::string TinyBmp();

}  // namespace pelarntest
