// Texture lookup of the MQO import at scale: every folder listed at most once
// and the branch walked once, so thousands of texture names cost no more each
// than a few; the textures a branch already holds are found by name.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "PelarnFixture.h"
#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"

namespace {
// Folder listings of the whole program while counting is on.
std::atomic<bool> counting{false};
std::atomic<int> listings{0};
}  // namespace

extern "C" DIR* opendir(const char* name) {
  using Open = DIR* (*)(const char*);
  static const Open real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "opendir"));
  if (counting) ++listings;
  return real(name);
}

namespace pelarntest {
namespace {

using MqoTextures = PelarnFixture;

// Material lines naming the texts given.
std::string Materials(const std::vector<std::string>& texs) {
  std::string text = "Material " + std::to_string(texs.size()) + " {\r\n";
  for (const std::string& tex : texs) text += "\t\"m\" col(1 1 1 1) tex(\"" + tex + "\")\r\n";
  return text + "}\r\n";
}

// 24,000 missing files once took 35 s (the branch searched and the folder
// listed for every name); a regression is stopped by the alarm, not waited on.
TEST_F(MqoTextures, ManyNamesListTheFolderOnce) {
  constexpr int kMissing = 24000;
  scratch.Put("img0.bmp", TinyBmp());
  scratch.Put("img1.bmp", TinyBmp());
  std::vector<std::string> texs;
  char name[32];
  for (int i = 0; i < kMissing; ++i) {
    std::snprintf(name, sizeof name, "gone%05d.bmp", i);
    texs.push_back(name);
    if (i == 0) texs.push_back("IMG0.BMP");
    if (i == kMissing / 2) texs.push_back("Img1.bmp");
  }
  const std::string text = Document(Materials(texs));
  FrxTest::ExpectCleanInChild(
      [&]() -> std::string {
        alarm(30);
        const FrxTest::LogCapture log;
        VoICharacter* c = Make<VoICharacter>(nullptr, "c");
        counting = true;
        VoIItem* result = ImportText(text, c);
        counting = false;
        std::string fault;
        auto expect = [&fault](bool ok, const std::string& what) { fault += ok ? "" : what + "\n"; };
        const std::vector<VoIItem*> materials = Children(c, VoIMaterial::CLASS_ID);
        const std::vector<VoIItem*> textures = Children(c, VoITexture::CLASS_ID);
        expect(result == c, "import failed");
        expect(listings <= 1, std::to_string(listings) + " folder listings");
        expect(materials.size() == texs.size(), std::to_string(materials.size()) + " materials");
        if (materials.size() != texs.size() || textures.size() != 2) return fault + "textures or materials missing";
        expect(textures[0]->name == "IMG0.BMP" && textures[1]->name == "Img1.bmp", "texture names");
        expect(materials[1]->IsMaterial()->texture.Get() == textures[0], "IMG0.BMP not shared");
        expect(materials[kMissing / 2 + 2]->IsMaterial()->texture.Get() == textures[1], "Img1.bmp not shared");
        expect(log.Count("のファイルが見つかりません。") == kMissing, "each missing file logged once");
        return fault;
      },
      8u << 20);
}

// As the branch's walk finds them: a texture it held first (any letter case),
// then those an earlier import made; an item of another class is no texture.
TEST_F(MqoTextures, TexturesTheBranchHoldsAreFoundByName) {
  scratch.Put("skin.bmp", TinyBmp());
  scratch.Put("other.bmp", TinyBmp());
  VoICharacter* c = Make<VoICharacter>(nullptr, "c");
  Make<VoIMaterial>(c, "other.bmp");
  VoITexture* held = Make<VoITexture>(c, "SKIN.BMP");
  const std::string text = Document(Materials({"skin.bmp", "other.bmp", "./Other.bmp"}));
  FrxTest::LogCapture log;
  ASSERT_EQ(ImportText(text, c), c);
  ASSERT_EQ(ImportText(text, c), c);
  const std::vector<VoIItem*> textures = Children(c, VoITexture::CLASS_ID);
  ASSERT_EQ(textures.size(), 2u);
  EXPECT_EQ(textures[0], held);
  EXPECT_EQ(textures[1]->name, "other.bmp");
  const std::vector<VoIItem*> materials = Children(c, VoIMaterial::CLASS_ID);
  ASSERT_EQ(materials.size(), 7u);
  for (size_t i = 1; i < materials.size(); ++i)
    EXPECT_EQ(materials[i]->IsMaterial()->texture.Get(), textures[i % 3 == 1 ? 0 : 1]) << i;
  EXPECT_EQ(log.Count("インポート: " + Scratch("other.bmp")), 1) << "decoded once\n" << log.Text();
}

}  // namespace
}  // namespace pelarntest
