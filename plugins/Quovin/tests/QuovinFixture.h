// The headless master with the Quovin descriptors registered, message boxes
// answered and recorded, and a scratch folder of the test's own.
#pragma once

#include <string>
#include <vector>

#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/Quovin/ExportKVM.h"
#include "plugins/Quovin/ImportKVM.h"
#include "plugins/testing/FakeHost.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/testing/MasterFixture.h"

namespace quovintest {

class QuovinFixture : public votest::MasterFixture {
 protected:
  void SetUp() override;

  std::string Scratch(const std::string& name) const { return scratch.Native(name); }
  // Writes text as a scratch file and imports it into `into` through the
  // master (with the host when given); the import's result.
  VoIItem* ImportText(const std::string& text, VoIBranch* into, FakeHost* host = nullptr);
  // What the master's export of the branch writes; empty when it writes nothing.
  std::string ExportBranch(VoIBranch* branch);
  // The direct children of branch that are motions, in order.
  static std::vector<VoIMotion*> Motions(VoIBranch* branch);

  ImportKVM importer;
  ExportKVM exporter;
  FrxTest::MessageBoxRecorder boxes{IDOK};
  FrxTest::TempFolder scratch;
};

// A motion file of the given motion blocks (LF line ends, TAB indents).
std::string KvmText(const std::string& blocks);

}  // namespace quovintest
