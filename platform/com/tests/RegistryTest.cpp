// The per-user registration file: keys written, merged, repeated and removed,
// case-insensitive look-up, quoting, damaged lines, the default location, and
// program ids resolved to classes.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/com/Registry.h"
#include "platform/com/Server.h"
#include "platform/testing/ReadWhole.h"
#include "platform/testing/TempFolder.h"

namespace {

namespace Registry = Com::Registry;

class RegistryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.path().empty());
    file = folder.path() + "/config/savora/controls.reg";
    Registry::SetFilePath(file);
  }
  void TearDown() override { Registry::SetFilePath(""); }

  PlatformTesting::TempFolder folder;
  std::string file;
};

TEST_F(RegistryFile, WritesMergesRepeatsAndRemoves) {
  const std::vector<Registry::Key> keys = {
      {"Sample.Thing.1", {{"", "Thing Class"}}},
      {"Sample.Thing.1\\CLSID", {{"", "{0C596208-C14A-45F3-B7B9-D14A5F4D9904}"}}},
      {"CLSID\\{0C596208-C14A-45F3-B7B9-D14A5F4D9904}\\InprocServer32",
       {{"", "/opt/a \"b\"\\c.so"}, {"ThreadingModel", "Apartment"}}},
  };
  ASSERT_EQ(Registry::WriteKeys(keys), S_OK) << "the folder is made";
  const std::string first = PlatformTesting::ReadWhole(file);
  ASSERT_EQ(Registry::WriteKeys(keys), S_OK);
  EXPECT_EQ(PlatformTesting::ReadWhole(file), first) << "registering twice changes nothing";

  std::string value;
  ASSERT_TRUE(Registry::ReadValue("clsid\\{0c596208-c14a-45f3-b7b9-d14a5f4d9904}\\inprocserver32", "", &value));
  EXPECT_EQ(value, "/opt/a \"b\"\\c.so");
  ASSERT_TRUE(Registry::ReadValue("CLSID\\{0C596208-C14A-45F3-B7B9-D14A5F4D9904}\\InprocServer32",
                                  "threadingmodel", &value));
  EXPECT_EQ(value, "Apartment");

  CLSID clsid{};
  ASSERT_TRUE(Com::ClassFromName("Sample.Thing.1", &clsid));
  EXPECT_EQ(Com::GuidToString(clsid), "{0C596208-C14A-45F3-B7B9-D14A5F4D9904}");
  EXPECT_FALSE(Com::ClassFromName("Sample.Other", &clsid));

  // Another control's entries stay when this one is removed.
  ASSERT_EQ(Registry::WriteKeys({{"Other.Control", {{"", "x"}}}, {"Sample.Thing.1", {{"Extra", "kept"}}}}), S_OK);
  ASSERT_TRUE(Registry::ReadValue("Sample.Thing.1", "", &value)) << "a key's other values stay";
  ASSERT_EQ(Registry::DeleteTrees({"sample.thing.1", "CLSID\\{0C596208-C14A-45F3-B7B9-D14A5F4D9904}"}), S_OK);
  EXPECT_FALSE(Registry::ReadValue("Sample.Thing.1\\CLSID", "", &value));
  EXPECT_FALSE(Registry::ReadValue("CLSID\\{0C596208-C14A-45F3-B7B9-D14A5F4D9904}\\InprocServer32", "", &value));
  EXPECT_TRUE(Registry::ReadValue("Other.Control", "", &value));
  EXPECT_EQ(Registry::DeleteTrees({"Never.There"}), S_OK);
  EXPECT_EQ(PlatformTesting::ReadWhole(file).find("Sample"), std::string::npos);
  void* object = &value;
  EXPECT_EQ(Com::CreateInstance(clsid, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
}

TEST_F(RegistryFile, DamagedLinesAreDroppedAndUnreadableFilesLeftAlone) {
  {
    std::ofstream(folder.path() + "/damaged.reg")
        << "junk before any key\n[A]\r\n@=\"one\"\r\n\"half=\"x\n@=unquoted\n\"b\"=\"two\" trailing\n[]\n"
           "[A\\B]\n\"n\"=\"line\\nbreak\"\n";
  }
  Registry::SetFilePath(folder.path() + "/damaged.reg");
  std::string value;
  ASSERT_TRUE(Registry::ReadValue("a", "", &value));
  EXPECT_EQ(value, "one");
  EXPECT_FALSE(Registry::ReadValue("A", "b", &value));
  ASSERT_TRUE(Registry::ReadValue("A\\B", "n", &value));
  EXPECT_EQ(value, "line\nbreak");
  ASSERT_EQ(Registry::WriteKeys({{"C", {{"", "three"}}}}), S_OK);
  EXPECT_EQ(PlatformTesting::ReadWhole(folder.path() + "/damaged.reg").find("junk"), std::string::npos);
  EXPECT_TRUE(Registry::ReadValue("A\\B", "n", &value));

  // A folder where the file should be: nothing is read, nothing written.
  mkdir((folder.path() + "/dir.reg").c_str(), 0700);
  Registry::SetFilePath(folder.path() + "/dir.reg");
  EXPECT_EQ(Registry::WriteKeys({{"C", {{"", "x"}}}}), E_FAIL);
  EXPECT_EQ(Registry::DeleteTrees({"C"}), E_FAIL);
}

TEST(RegistryLocation, FollowsTheEnvironment) {
  Registry::SetFilePath("");
  const char* keep[] = {"SAVORA_CONTROLS_FILE", "XDG_CONFIG_HOME", "HOME"};
  std::string saved[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* v = getenv(keep[i]);
    had[i] = v != nullptr;
    if (v) saved[i] = v;
  }
  setenv("HOME", "/home/u", 1);
  unsetenv("SAVORA_CONTROLS_FILE");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(Registry::FilePath(), "/home/u/.config/savora/controls.reg");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(Registry::FilePath(), "/home/u/.config/savora/controls.reg") << "a relative XDG folder is ignored";
  setenv("XDG_CONFIG_HOME", "/x", 1);
  EXPECT_EQ(Registry::FilePath(), "/x/savora/controls.reg");
  setenv("SAVORA_CONTROLS_FILE", "/t/c.reg", 1);
  EXPECT_EQ(Registry::FilePath(), "/t/c.reg");
  Registry::SetFilePath("/p/q.reg");
  EXPECT_EQ(Registry::FilePath(), "/p/q.reg");
  Registry::SetFilePath("");
  for (int i = 0; i < 3; ++i) had[i] ? setenv(keep[i], saved[i].c_str(), 1) : unsetenv(keep[i]);
}

}  // namespace
