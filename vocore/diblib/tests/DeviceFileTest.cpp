// Every image reader, the decoder modules that open files themselves among
// them, refuses a texture name that resolves to a device or a FIFO at once
// instead of reading without end or waiting for a writer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "ferrox/testing/FifoGuard.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/diblib/DibImage.h"
#include "vocore/diblib/DibReaders.h"
#include "vocore/testing/TestImages.h"

namespace {

struct Reader {
  const char* extension;
  bool (*read)(const char* path, DibImage* image);
};

const Reader kReaders[] = {
    {"jpg", [](const char* path, DibImage* image) { return ReadJpg(path, image); }},
    {"png", [](const char* path, DibImage* image) { return ReadPng(path, image); }},
    {"bmp", [](const char* path, DibImage* image) { return ReadBmp(path, image); }},
    {"tga", [](const char* path, DibImage* image) { return ReadTga(path, image); }},
    {"ppm", [](const char* path, DibImage* image) { return ReadPpm(path, image); }},
    {"iff", [](const char* path, DibImage* image) { return ReadIff(path, image); }},
    {"tim", [](const char* path, DibImage* image) { return ReadTim(path, image); }},
};

TEST(DibSpecialFiles, DevicesAndFifosAreRefused) {
  const ModulesFromProgramFolder modules;
  FrxTest::TempFolder dir;
  for (const Reader& reader : kReaders) {
    const std::string ext = reader.extension;
    ASSERT_EQ(symlink("/dev/zero", dir.Native("zero." + ext).c_str()), 0);
    ASSERT_EQ(symlink("/dev/urandom", dir.Native("random." + ext).c_str()), 0);
    ASSERT_EQ(mkfifo(dir.Native("pipe." + ext).c_str(), 0644), 0);
    FrxTest::FifoGuard guard(dir.Native("pipe." + ext));
    for (const char* name : {"ZERO.", "Random.", "pipe."}) {
      DibImage image;
      EXPECT_FALSE(reader.read(dir.System(name + ext).c_str(), &image)) << name << ext;
      EXPECT_FALSE(image.IsValid()) << name << ext;
    }
    EXPECT_FALSE(guard.Fired()) << ext << ": a reader waited for the FIFO's writer";
  }
}

}  // namespace
