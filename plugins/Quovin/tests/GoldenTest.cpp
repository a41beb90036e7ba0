// Golden folders testdata/kvm/<case>/: <case>.kvm is imported into a
// character; expected.txt holds the result, the item tree and the messages
// shown, expected.kvm what the writer makes of the character's motions
// (empty when it writes nothing). A folder lacking any of the three fails.
// The reader's line that a structural error names is left out, so that
// editing the reader does not rewrite every broken case.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuovinFixture.h"
#include "plugins/testing/GoldenCases.h"
#include "plugins/testing/ItemDump.h"

namespace quovintest {
namespace {

using KvmGolden = QuovinFixture;

// "(KvmReader.cpp:123)" as "(KvmReader.cpp:#)".
std::string WithoutLine(std::string text) {
  const size_t at = text.find(".cpp:");
  size_t end = at == std::string::npos ? at : at + 5;
  while (end != std::string::npos && end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end != std::string::npos) text.replace(at + 5, end - at - 5, "#");
  return text;
}

TEST_F(KvmGolden, EveryCaseFolder) {
  const std::vector<std::string> folders = plugtest::GoldenFolders(std::string(SAVORA_TESTDATA_DIR) + "/kvm");
  ASSERT_FALSE(folders.empty());
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string name = std::filesystem::path(folder).parent_path().filename().string();
    const std::string input = folder + name + ".kvm";
    ASSERT_TRUE(std::filesystem::exists(input)) << "missing input " << input;
    boxes.Clear();
    VoICharacter* c = Make<VoICharacter>(nullptr, name.c_str());
    const bool imported = master.Import(input.c_str(), c, 0) == c;
    std::string text = imported ? "imported\n" : "failed\n";
    text += plugtest::DumpItems(c);
    for (const std::string& box : boxes.Texts()) text += "box: " + WithoutLine(box) + "\n";
    plugtest::ExpectGoldenFile(folder + "expected.txt", text);

    boxes.Clear();
    plugtest::ExpectGoldenFile(folder + "expected.kvm", ExportBranch(c));
  }
}

}  // namespace
}  // namespace quovintest
