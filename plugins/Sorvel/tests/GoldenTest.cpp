// Golden folders testdata/bvh/<case>/ (inputs made by make-cases.py):
// <case>.bvh is imported into a character; expected.txt holds the item tree
// posed at the motion's last key, the motion's controls and the messages
// shown (the reader's source line left out), expected.bvh what the writer
// makes of the character at the dialog's 30 frames a second (empty when it
// writes nothing). A folder lacking any of the three fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "SorvelFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/testing/GoldenCases.h"
#include "plugins/testing/ItemDump.h"
#include "vocore/motion/VoIMotion.h"

namespace sorveltest {
namespace {

using BvhGolden = SorvelFixture;

TEST_F(BvhGolden, EveryCaseFolder) {
  const std::vector<std::string> folders = plugtest::GoldenFolders(std::string(SAVORA_TESTDATA_DIR) + "/bvh");
  ASSERT_FALSE(folders.empty());
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string name = std::filesystem::path(folder).parent_path().filename().string();
    const std::string input = folder + name + ".bvh";
    ASSERT_TRUE(std::filesystem::exists(input)) << "missing input " << input;
    boxes.Clear();
    VoICharacter* c = NewCharacter(name.c_str());
    master.Import(input.c_str(), c, 0);
    if (VoIMotion* motion = c->GetMotion()) PoseAt(c, float(motion->endframe));
    std::string tree = plugtest::DumpItems(c) + DumpMotion(c);
    for (std::string box : boxes.Texts()) {
      const size_t line = box.find("BvhParser.cpp:");
      if (line != std::string::npos) box.replace(line + 14, box.find(')', line) - line - 14, "N");
      tree += "box: " + box + "\n";
    }
    plugtest::ExpectGoldenFile(folder + "expected.txt", tree);

    const std::string output = Scratch(name + ".bvh");
    const std::string written = master.Export(output.c_str(), c, 0) ? FrxTest::ReadWhole(output) : "";
    plugtest::ExpectGoldenFile(folder + "expected.bvh", written);
  }
}

}  // namespace
}  // namespace sorveltest
