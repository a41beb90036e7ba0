// Image files imported as texture items through the engine's own importers:
// sizes and depths by the renderer's capabilities, pixels, failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"
#include "platform/module/Module.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/render/VoRenderer.h"
#include "vocore/scene/VoINote.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/testing/TestImages.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

using FrxTest::LogCapture;

namespace {

// Records what the texture holds when the import's update refreshes it.
class FakeRenderTexture : public VoRenderTexture {
 public:
  FakeRenderTexture(VoITexture* texture, int* deleted) : texture_(texture), deleted_(deleted) {}
  ~FakeRenderTexture() override { ++*deleted_; }
  void Refresh() override {
    ++refreshes;
    width = texture_->width, height = texture_->height, bits = texture_->bits;
  }
  int refreshes = 0, width = 0, height = 0, bits = 0;

 private:
  VoITexture* texture_;
  int* deleted_;
};

class FakeRenderer : public VoRenderer {
 public:
  explicit FakeRenderer(DibTextureCaps caps) : caps_(caps) {}
  VoRenderGeometry* CreateRenderGeometry(VoIGeometry*) override { return nullptr; }
  VoRenderMaterial* CreateRenderMaterial(VoIMaterial*) override { return nullptr; }
  VoRenderTexture* CreateRenderTexture(VoITexture* texture) override {
    last = new FakeRenderTexture(texture, &deleted);
    return last;
  }
  void InitialFrame() override {}
  DibTextureCaps GetTextureCaps() const override { return caps_; }
  FakeRenderTexture* last = nullptr;
  int deleted = 0;

 private:
  DibTextureCaps caps_;
};

DibTextureCaps Caps(int depth, int width, int height) {
  DibTextureCaps caps;
  caps.bitDepth = uint16_t(depth), caps.maxWidth = uint16_t(width), caps.maxHeight = uint16_t(height);
  return caps;
}

void Put16(std::vector<uint8_t>& v, unsigned x) { v.push_back(uint8_t(x)), v.push_back(uint8_t(x >> 8)); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF), Put16(v, x >> 16); }

struct Colour {
  uint8_t r, g, b;
};
// A 4 x 2 picture, top row first, that every hand-made file below holds.
const Colour kPicture[2][4] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}},
                               {{8, 16, 24}, {200, 100, 50}, {0, 0, 0}, {128, 64, 32}}};

// 24-bit BMP, rows bottom-up.
std::vector<uint8_t> MakeBmp() {
  std::vector<uint8_t> f{'B', 'M'};
  Put32(f, 54 + 24), Put32(f, 0), Put32(f, 54);
  Put32(f, 40), Put32(f, 4), Put32(f, 2), Put16(f, 1), Put16(f, 24);
  for (int i = 0; i < 6; ++i) Put32(f, 0);
  for (int y = 1; y >= 0; --y)
    for (const Colour& c : kPicture[y]) f.insert(f.end(), {c.b, c.g, c.r});
  return f;
}

// True-colour TGA with a top-left origin, so its rows are stored top-down.
std::vector<uint8_t> MakeTopDownTga() {
  std::vector<uint8_t> f{0, 0, 2, 0, 0, 0, 0, 0};
  Put16(f, 0), Put16(f, 0), Put16(f, 4), Put16(f, 2);
  f.push_back(24), f.push_back(0x20);
  for (int y = 0; y < 2; ++y)
    for (const Colour& c : kPicture[y]) f.insert(f.end(), {c.b, c.g, c.r});
  return f;
}

// 16-bit TIM (red in the low bits, bit 15 the transparency flag).
std::vector<uint8_t> MakeTim() {
  std::vector<uint8_t> f;
  Put32(f, 0x10), Put32(f, 2);
  Put32(f, 12 + 16), Put16(f, 0), Put16(f, 0), Put16(f, 4), Put16(f, 2);
  for (int y = 0; y < 2; ++y)
    for (const Colour& c : kPicture[y]) Put16(f, 0x8000u | unsigned(c.b >> 3) << 10 | unsigned(c.g >> 3) << 5 | unsigned(c.r >> 3));
  return f;
}

uint16_t Pack555(const Colour& c) { return uint16_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3)); }

uint16_t Texel16(const VoITexture& t, int x, int row) {
  const unsigned char* p = t.pixels + (size_t(row) * size_t(t.width) + size_t(x)) * 2;
  return uint16_t(p[0] | p[1] << 8);
}

VoClassDescImport* FindImporter(VoMaster& master, const char* name) {
  for (VoClassDescImport* desc : master.GetImportDescList())
    if (std::string(desc->ClassName()) == name) return desc;
  return nullptr;
}

class VoImageImport : public ::testing::Test {
 protected:
  void TearDown() override { Platform::SetModuleMissing("zenjpg.dll", false); }
  std::string TempPath(const std::string& name) const { return folder_.Native(name); }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    folder_.Put(name, std::string(bytes.begin(), bytes.end()));
    return TempPath(name);
  }
  std::string CopyImage(const std::string& from, const std::string& name) {
    return Write(name, ReadBytes(ImagesDir() + from));
  }

 private:
  const ModulesFromProgramFolder modules_;
  FrxTest::TempFolder folder_;
};

}  // namespace

TEST_F(VoImageImport, HandMadeFilesGiveTheirPixelsBottomUp) {
  LogCapture log;
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  VoINote* parent = master.NewItem<VoINote>(nullptr);
  const std::string files[] = {Write("pic.bmp", MakeBmp()), Write("pic.tga", MakeTopDownTga()),
                               Write("pic.tim", MakeTim())};
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    VoIItem* item = master.Import(path.c_str(), parent, 0);
    ASSERT_NE(item, nullptr);
    VoITexture* texture = item->IsTexture();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetParent(), parent);
    EXPECT_STREQ(texture->GetName(), "unknown");
    // Power-of-two sides stay; no renderer means 16 bits.
    ASSERT_EQ(texture->width, 4);
    ASSERT_EQ(texture->height, 2);
    ASSERT_EQ(texture->bits, 16);
    for (int row = 0; row < 2; ++row)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(Texel16(*texture, x, row), Pack555(kPicture[1 - row][x])) << x << "," << row;
  }
  EXPECT_EQ(parent->GetChildCount(), 3);

  {  // 32 bits: blue, green, red, opaque alpha
    FakeRenderer renderer(Caps(32, 256, 256));
    VoMaster deep;
    ASSERT_EQ(deep.Initialize(&renderer), 1);
    VoIItem* item = deep.Import(files[1].c_str(), nullptr, 0);
    ASSERT_NE(item, nullptr);
    VoITexture* texture = item->IsTexture();
    ASSERT_EQ(texture->bits, 32);
    for (int row = 0; row < 2; ++row)
      for (int x = 0; x < 4; ++x) {
        const unsigned char* p = texture->pixels + (size_t(row) * 4 + size_t(x)) * 4;
        const Colour& c = kPicture[1 - row][x];
        EXPECT_EQ(std::vector<int>({p[0], p[1], p[2], p[3]}), std::vector<int>({c.b, c.g, c.r, 255})) << x << "," << row;
      }
    deep.ReleaseItem(item);
  }
  {  // 24 bits two pixels wide: rows packed without the file format's padding
    FakeRenderer renderer(Caps(24, 2, 2));
    VoMaster narrow;
    ASSERT_EQ(narrow.Initialize(&renderer), 1);
    VoIItem* item = narrow.Import(files[0].c_str(), nullptr, 0);
    ASSERT_NE(item, nullptr);
    VoITexture* texture = item->IsTexture();
    ASSERT_EQ(texture->width, 2);
    ASSERT_EQ(texture->height, 2);
    ASSERT_EQ(texture->bits, 24);
    // The narrowed columns are the first and the last of the picture.
    const Colour expected[4] = {kPicture[1][0], kPicture[1][3], kPicture[0][0], kPicture[0][3]};
    for (int i = 0; i < 4; ++i) {
      const unsigned char* p = texture->pixels + size_t(i) * 3;
      EXPECT_EQ(std::vector<int>({p[0], p[1], p[2]}), std::vector<int>({expected[i].b, expected[i].g, expected[i].r})) << i;
    }
    narrow.ReleaseItem(item);
  }
  EXPECT_FALSE(log.Contains("画像インポート中にエラーが発生しました。"));
  master.ReleaseItem(parent);
}

TEST_F(VoImageImport, SizesFollowTheRendererCaps) {
  const std::vector<std::string> names = ListDir(ImagesDir());
  struct Case {
    bool renderer;
    DibTextureCaps caps;
    int width, height;
  };
  const Case cases[] = {{false, DibTextureCaps(), 16, 16},
                        {true, Caps(32, 512, 512), 16, 16},
                        {true, Caps(32, 8, 4), 8, 4},
                        {true, Caps(16, 1, 1), 2, 1}};
  int imported = 0;
  for (const Case& c : cases) {
    FakeRenderer renderer(c.caps);
    VoMaster master;
    ASSERT_EQ(master.Initialize(c.renderer ? &renderer : nullptr), 1);
    int perCase = 0;
    for (const std::string& name : names) {
      const std::string ext = std::filesystem::path(name).extension().string();
      if (ext != ".bmp" && ext != ".tga" && ext != ".ppm" && ext != ".pgm" && ext != ".iff" && ext != ".jpg" &&
          ext != ".png")
        continue;
      if (name.find(".ref.") != std::string::npos || name.find(".alpha.") != std::string::npos) continue;
      SCOPED_TRACE(name + " caps " + std::to_string(c.caps.maxWidth) + "x" + std::to_string(c.caps.maxHeight));
      VoIItem* item = master.Import((ImagesDir() + name).c_str(), nullptr, 0);
      ASSERT_NE(item, nullptr);
      VoITexture* texture = item->IsTexture();
      ASSERT_NE(texture, nullptr);
      // Every fixture is 13 x 11.
      EXPECT_EQ(texture->width, c.width);
      EXPECT_EQ(texture->height, c.height);
      const bool trueColour =
          name.find("rgb") != std::string::npos || name == "interlaced.png" || name == "progressive.jpg";
      EXPECT_EQ(texture->bits, trueColour && c.caps.bitDepth == 32 ? 32 : 16);
      if (c.renderer) {
        // The render object saw the finished pixels in the import's update.
        ASSERT_NE(renderer.last, nullptr);
        EXPECT_EQ(texture->GetRender(), renderer.last);
        EXPECT_EQ(renderer.last->refreshes, 1);
        EXPECT_EQ(renderer.last->width, c.width);
        EXPECT_EQ(renderer.last->bits, texture->bits);
      }

      // Corners survive resampling: compare them with the independent decode.
      std::string refName = name + ".ref.ppm";
      if (name == "grey_plain.pgm") refName = "grey.pgm";
      if (name == "rgb_plain.ppm") refName = "rgb.ppm";
      if (name == "grey.pgm" || name == "rgb.ppm") refName = name;
      Rgb ref;
      if (c.width == 16 && LoadNetpbm(ImagesDir() + refName, &ref)) {
        const int corners[4][4] = {{0, 0, 0, 10}, {15, 0, 12, 10}, {0, 15, 0, 0}, {15, 15, 12, 0}};
        for (const auto& k : corners) {
          const uint8_t* want = &ref.rgb[(size_t(k[3]) * 13 + size_t(k[2])) * 3];
          int got[3];
          if (texture->bits == 32) {
            const unsigned char* p = texture->pixels + (size_t(k[1]) * 16 + size_t(k[0])) * 4;
            got[0] = p[2], got[1] = p[1], got[2] = p[0];
            for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(got[ch], want[ch], 2) << k[0] << "," << k[1];
          } else {
            const uint16_t t = Texel16(*texture, k[0], k[1]);
            got[0] = t >> 10 & 31, got[1] = t >> 5 & 31, got[2] = t & 31;
            for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(got[ch], want[ch] >> 3, 1) << k[0] << "," << k[1];
          }
        }
      }
      master.ReleaseItem(item);
      ++imported, ++perCase;
    }
    // Released textures took their render objects with them.
    EXPECT_EQ(renderer.deleted, c.renderer ? perCase : 0);
  }
  EXPECT_GE(imported, 4 * 25);
}

TEST_F(VoImageImport, FailuresReleaseTheTexture) {
  LogCapture log;
  FakeRenderer renderer(DibTextureCaps{});
  VoMaster master;
  ASSERT_EQ(master.Initialize(&renderer), 1);
  VoINote* parent = master.NewItem<VoINote>(nullptr);
  std::vector<uint8_t> lying = MakeBmp();
  lying[18] = 0xFF, lying[19] = 0xFF, lying[20] = 0xFF, lying[21] = 0x7F;  // width 2^31 - 1
  std::vector<uint8_t> cut = MakeBmp();
  cut.resize(70);
  const std::string bad[] = {TempPath("missing.bmp"), Write("lying.bmp", lying), Write("cut.bmp", cut),
                             Write("text.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'}), Write("empty.tga", {})};
  int made = 0;
  for (const std::string& path : bad) {
    SCOPED_TRACE(path);
    const int errors = log.Count("　　画像インポート中にエラーが発生しました。\n");
    EXPECT_EQ(master.Import(path.c_str(), parent, 0), nullptr);
    ++made;
    EXPECT_EQ(log.Count("　　画像インポート中にエラーが発生しました。\n"), errors + 1);
    EXPECT_TRUE(log.Contains(("　　\"" + path + "\" の入力に失敗しました。\n").c_str()));
    // The texture was made (with its render object) and released again.
    EXPECT_EQ(parent->GetChildCount(), 0);
    EXPECT_EQ(renderer.deleted, made);
  }
  {  // an importer called directly with a path no reader knows
    VoClassDescImport* bmp = FindImporter(master, "ImportBMP");
    ASSERT_NE(bmp, nullptr);
    const std::string gif = Write("pic.gif", MakeBmp());
    EXPECT_EQ(bmp->Import(gif.c_str(), parent, 0), nullptr);
    EXPECT_EQ(parent->GetChildCount(), 0);
    EXPECT_EQ(renderer.deleted, made + 1);
  }
  master.ReleaseItem(parent);
}

TEST_F(VoImageImport, AnyImporterReadsAnyKind) {
  LogCapture log;
  VoMaster master;
  ASSERT_EQ(master.Initialize(nullptr), 1);
  const char* names[] = {"ImportBMP", "ImportTGA", "ImportPPM", "ImportPGM", "ImportIFF",
                         "ImportTIM", "ImportJPG", "ImportJPEG", "ImportPNG"};
  const std::string upper = CopyImage("rgb.jpg", "upper.JPG");
  const std::string jpeg = CopyImage("rgb.jpg", "copy.jpeg");
  const std::string sources[] = {Write("any.tga", MakeTopDownTga()), jpeg, ImagesDir() + "pal3.iff"};
  for (const char* name : names) {
    VoClassDescImport* desc = FindImporter(master, name);
    ASSERT_NE(desc, nullptr) << name;
    for (const std::string& path : sources) {
      SCOPED_TRACE(std::string(name) + " " + path);
      VoIItem* item = desc->Import(path.c_str(), nullptr, 0);
      ASSERT_NE(item, nullptr);
      ASSERT_NE(item->IsTexture(), nullptr);
      EXPECT_GT(item->IsTexture()->width, 0);
      master.ReleaseItem(item);
    }
  }
  {  // upper-case JPG through the master
    VoIItem* item = master.Import(upper.c_str(), nullptr, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->IsTexture()->width, 16);
    master.ReleaseItem(item);
  }
  {  // without the JPEG decoder: no texture, the reader's step line and the import error
    Platform::SetModuleMissing("zenjpg.dll", true);
    EXPECT_EQ(master.Import(upper.c_str(), nullptr, 0), nullptr);
    EXPECT_EQ(FindImporter(master, "ImportJPEG")->Import(jpeg.c_str(), nullptr, 0), nullptr);
    EXPECT_EQ(log.Count("ModuleReaders.cpp(64) :step\n"), 2);
    EXPECT_EQ(log.Count("　　画像インポート中にエラーが発生しました。\n"), 2);
    EXPECT_TRUE(log.Contains(("　　\"" + upper + "\" の入力に失敗しました。\n").c_str()));
    // PNG needs only its own decoder.
    VoIItem* item = master.Import((ImagesDir() + "rgb.png").c_str(), nullptr, 0);
    EXPECT_NE(item, nullptr);
    master.ReleaseItem(item);
  }
}

// Real textures of assimp-testmodels: sizes, and the pixels of power-of-two
// images against the reader's picture.
TEST_F(VoImageImport, AssimpTextures) {
  const std::string dir = AssimpDir();
  if (dir.empty()) GTEST_SKIP() << "assimp-testmodels is not installed";
  FakeRenderer deepRenderer(Caps(32, 512, 512));
  struct Case {
    const char* file;
    bool deep;
    int width, height, bits;
  };
  const Case cases[] = {{"X/bottom.tga", false, 256, 256, 16},
                        {"SMD/holygrail.tga", false, 256, 256, 16},
                        {"SMD/holygrail.tga", true, 256, 512, 32},
                        {"MD2/faerie2.bmp", false, 256, 256, 16},
                        {"LWO/LWO2/white.bmp", false, 2, 1, 16},
                        {"X/bottom.tga", true, 256, 256, 32},
                        {"glTF2/textureTransform/Arrow.png", true, 128, 128, 32},
                        {"OBJ/engineflare1.jpg", true, 128, 128, 32}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = dir + c.file;
    if (!std::filesystem::exists(path)) continue;
    VoMaster master;
    ASSERT_EQ(master.Initialize(c.deep ? &deepRenderer : nullptr), 1);
    VoIItem* item = master.Import(path.c_str(), nullptr, 0);
    ASSERT_NE(item, nullptr);
    VoITexture* texture = item->IsTexture();
    EXPECT_EQ(texture->width, c.width);
    EXPECT_EQ(texture->height, c.height);
    EXPECT_EQ(texture->bits, c.bits);
    DibImage image;
    const std::string ext = std::filesystem::path(path).extension().string();
    const bool read = ext == ".tga" ? ReadTga(path.c_str(), &image)
                      : ext == ".png" ? ReadPng(path.c_str(), &image)
                      : ext == ".jpg" ? ReadJpg(path.c_str(), &image)
                                      : ReadBmp(path.c_str(), &image);
    ASSERT_TRUE(read);
    if (c.bits == 32 && image.Width() == c.width && image.AbsHeight() == c.height) {
      const Rgb picture = ToRgb(image);
      int mismatches = 0;
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
          const unsigned char* p = texture->pixels + (size_t(c.height - 1 - y) * size_t(c.width) + size_t(x)) * 4;
          const size_t i = size_t(y) * size_t(c.width) + size_t(x);
          const int alpha = picture.alpha.empty() ? 255 : picture.alpha[i];
          if (p[2] != picture.rgb[i * 3] || p[1] != picture.rgb[i * 3 + 1] || p[0] != picture.rgb[i * 3 + 2] ||
              p[3] != alpha)
            ++mismatches;
        }
      EXPECT_EQ(mismatches, 0);
    }
    master.ReleaseItem(item);
  }
}
