// Golden folders testdata/mqo/<case>/: <case>.mqo is imported into a
// character, or, when the case holds a folder <case>/ instead, that folder
// is imported as a scene folder (every model in it into one character);
// expected.txt holds the item tree and the messages shown, expected.mqo what
// the writer makes of the character (empty when it writes nothing). A folder
// lacking any of the three fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "PelarnFixture.h"
#include "ferrox/testing/ReadWhole.h"
#include "plugins/testing/GoldenCases.h"
#include "plugins/testing/ItemDump.h"

namespace pelarntest {
namespace {

using MqoGolden = PelarnFixture;

TEST_F(MqoGolden, EveryCaseFolder) {
  const std::vector<std::string> folders = plugtest::GoldenFolders(std::string(SAVORA_TESTDATA_DIR) + "/mqo");
  ASSERT_FALSE(folders.empty());
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string name = std::filesystem::path(folder).parent_path().filename().string();
    const bool scene = std::filesystem::is_directory(folder + name);
    const std::string input = scene ? folder + name + "\\" : folder + name + ".mqo";
    ASSERT_TRUE(scene || std::filesystem::exists(input)) << "missing input " << input;
    boxes.Clear();
    VoICharacter* c = Make<VoICharacter>(nullptr, name.c_str());
    master.Import(input.c_str(), c, 0);
    std::string tree = plugtest::DumpItems(c);
    for (const std::string& box : boxes.Texts()) tree += "box: " + box + "\n";
    plugtest::ExpectGoldenFile(folder + "expected.txt", tree);

    const std::string output = Scratch(name + ".mqo");
    boxes.Clear();
    const std::string written = master.Export(output.c_str(), c, 0) ? FrxTest::ReadWhole(output) : "";
    plugtest::ExpectGoldenFile(folder + "expected.mqo", written);
  }
}

}  // namespace
}  // namespace pelarntest
