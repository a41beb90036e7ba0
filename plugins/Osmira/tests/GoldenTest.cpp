// Golden folders testdata/kvi/<case>/: <case>.mqo is imported (through the
// MQO module) into a character and animated for one frame, so its deformers
// are made and bound; expected.txt holds the item tree and the messages
// shown, expected.kvi the intermediate file written of the character. A
// folder lacking any of the three fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "OsmiraFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/testing/GoldenCases.h"
#include "plugins/testing/ItemDump.h"

namespace osmiratest {
namespace {

using KviGolden = OsmiraFixture;

TEST_F(KviGolden, EveryCaseFolder) {
  ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
  FrxTest::TempFolder scratch;
  const std::vector<std::string> folders = plugtest::GoldenFolders(std::string(SAVORA_TESTDATA_DIR) + "/kvi");
  ASSERT_FALSE(folders.empty());
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string name = std::filesystem::path(folder).parent_path().filename().string();
    const std::string input = folder + name + ".mqo";
    ASSERT_TRUE(std::filesystem::exists(input)) << "missing input " << input;
    boxes.Clear();
    VoICharacter* c = Make<VoICharacter>(nullptr, name.c_str());
    ASSERT_EQ(master.Import(input.c_str(), c, 0), c);
    Frame(c);
    std::string tree = plugtest::DumpItems(c);
    for (const std::string& box : boxes.Texts()) tree += "box: " + box + "\n";
    plugtest::ExpectGoldenFile(folder + "expected.txt", tree);

    const std::string output = scratch.Native(name + ".kvi");
    boxes.Clear();
    const std::string written = master.Export(output.c_str(), c, 0) ? FrxTest::ReadWhole(output) : "";
    plugtest::ExpectGoldenFile(folder + "expected.kvi", written);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace osmiratest
