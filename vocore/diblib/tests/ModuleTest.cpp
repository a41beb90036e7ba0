// JPEG and PNG through the decoder modules: results, missing modules, stops.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/module/Module.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/testing/TestImages.h"

namespace {

class DibModules : public ::testing::Test {
 protected:
  void TearDown() override {
    Platform::SetModuleMissing("zenjpg.dll", false);
    Platform::SetModuleMissing("zenpng.dll", false);
  }

  const ModulesFromProgramFolder modules;
  const FrxTest::TempFolder scratch;
};

}  // namespace

TEST_F(DibModules, DecodedLayouts) {
  DibImage image;
  ASSERT_TRUE(ReadJpg((ImagesDir() + "grey.jpg").c_str(), &image));
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.Palette()[200].green, 200);
  ASSERT_TRUE(ReadJpg((ImagesDir() + "rgb.jpg").c_str(), &image));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_GT(image.Height(), 0);
  ASSERT_TRUE(ReadPng((ImagesDir() + "pal.png").c_str(), &image));
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.headerKind, DibMemGlobalFixed);
  ASSERT_TRUE(ReadPng((ImagesDir() + "rgba.png").c_str(), &image));
  ASSERT_EQ(image.BitCount(), 32);
  Rgb alpha;
  ASSERT_TRUE(LoadNetpbm(ImagesDir() + "grey.pgm", &alpha));
  Rgb got = ToRgb(image);
  for (size_t i = 0; i < got.alpha.size(); ++i) ASSERT_EQ(got.alpha[i], alpha.rgb[i * 3]) << i;
}

TEST_F(DibModules, MissingModules) {
  DibImage image;
  Platform::SetModuleMissing("zenjpg.dll", true);
  EXPECT_FALSE(ReadJpg((ImagesDir() + "rgb.jpg").c_str(), &image));
  EXPECT_FALSE(image.IsValid());
  Platform::SetModuleMissing("zenpng.dll", true);
  EXPECT_FALSE(ReadPng((ImagesDir() + "rgb.png").c_str(), &image));
  Platform::SetModuleMissing("zenjpg.dll", false);
  Platform::SetModuleMissing("zenpng.dll", false);
  EXPECT_TRUE(ReadJpg((ImagesDir() + "rgb.jpg").c_str(), &image));
  EXPECT_TRUE(ReadPng((ImagesDir() + "rgb.png").c_str(), &image));
}

TEST_F(DibModules, ProgressStopsTheDecode) {
  struct Count {
    int calls = 0;
    int stopAt;
  };
  auto progress = [](float, void* context) {
    auto* c = static_cast<Count*>(context);
    return ++c->calls < c->stopAt ? 1 : 0;
  };
  for (const char* name : {"rgb.jpg", "progressive.jpg", "rgb.png"}) {
    SCOPED_TRACE(name);
    const std::string path = ImagesDir() + name;
    const bool jpeg = path.find(".jpg") != std::string::npos;
    DibImage image;
    Count stop{0, 4};
    EXPECT_FALSE(jpeg ? ReadJpg(path.c_str(), &image, progress, &stop) : ReadPng(path.c_str(), &image, progress, &stop));
    EXPECT_EQ(stop.calls, 4);
    Count all{0, 1000};
    EXPECT_TRUE(jpeg ? ReadJpg(path.c_str(), &image, progress, &all) : ReadPng(path.c_str(), &image, progress, &all));
    EXPECT_EQ(all.calls, 11);
  }
}

TEST_F(DibModules, CorruptDataDoesNotEndTheProcess) {
  const std::string path = scratch.Native("corrupt");
  for (const char* name : {"rgb.jpg", "rgb.png"}) {
    std::vector<uint8_t> data = ReadBytes(ImagesDir() + name);
    for (size_t i = 20; i < data.size(); i += 3) data[i] ^= 0x5A;
    scratch.Put("corrupt", std::string(data.begin(), data.end()));
    DibImage image;
    const bool ok = name[4] == 'j' ? ReadJpg(path.c_str(), &image) : ReadPng(path.c_str(), &image);
    EXPECT_EQ(ok, image.IsValid());
    if (name[4] == 'p') {
      EXPECT_FALSE(ok);  // PNG checks its CRCs
    }
  }
  std::remove(path.c_str());
}

// The decoders open files themselves; a name in another letter case must
// still find the file, as every other reader does.
TEST_F(DibModules, NamesInAnyLetterCase) {
  const std::filesystem::path dir = scratch.Native("case");
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(ImagesDir() + "rgb.jpg", dir / "Tex.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(ImagesDir() + "rgb.png", dir / "Tex.png",
                             std::filesystem::copy_options::overwrite_existing);
  DibImage image;
  EXPECT_TRUE(ReadJpg((dir / "tEX.JPG").string().c_str(), &image));
  EXPECT_EQ(image.Width(), 13);
  EXPECT_TRUE(ReadPng((dir / "TEX.PNG").string().c_str(), &image));
  EXPECT_EQ(image.Width(), 13);
  EXPECT_FALSE(ReadPng((dir / "none.png").string().c_str(), &image));
}
