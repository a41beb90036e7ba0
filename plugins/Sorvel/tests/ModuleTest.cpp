// The module as a host loads it: its two descriptors, and an export that
// runs headless, the dialog's question taking its initial 30 frames a second
// where no QApplication runs.
#include <gtest/gtest.h>

#include <string>

#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

namespace {

TEST(SorvelModule, ImportsAndExportsHeadless) {
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  ASSERT_EQ(master.LoadPlugin("plugins\\sorvel.dll"), 1);
  std::string imports, exports;
  for (VoClassDescImport* d : master.GetImportDescList())
    if (std::string(d->FileExt() ? d->FileExt() : "") == "bvh") imports += d->ClassName();
  for (VoClassDescExport* d : master.GetExportDescList())
    if (std::string(d->FileExt() ? d->FileExt() : "") == "bvh") exports += d->ClassName();
  EXPECT_EQ(imports, "ImportBVH");
  EXPECT_EQ(exports, "ExportBVH");

  VoICharacter* c = master.NewItem<VoICharacter>(nullptr);
  const std::string input = std::string(SAVORA_TESTDATA_DIR) + "/bvh/two-roots/two-roots.bvh";
  ASSERT_EQ(master.Import(input.c_str(), c, 0), c);
  const FrxTest::TempFolder scratch;
  const std::string output = scratch.Native("module.bvh");
  EXPECT_EQ(master.Export(output.c_str(), c, 0), 1);
  const std::string written = FrxTest::ReadWhole(output);
  EXPECT_NE(written.find("Frames: 3\r\nFrame Time: 0.033333\r\n"), std::string::npos) << written;
  master.ReleaseItem(c);
  master.Uninitialize();
}

}  // namespace
