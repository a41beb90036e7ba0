// Readers of whole files take only regular files of bounded size: a name that
// resolves to a device, a FIFO or a folder fails at once, and so does a file
// larger than the read limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ferrox/testing/FifoGuard.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"
#include "ferrox/file/File.h"
#include "ferrox/file/RegularFile.h"
#include "ferrox/file/TextFile.h"

namespace {

using FrxTest::LogCapture;
using FrxTest::TempFolder;
namespace File = Frx::File;

// Each way of opening a file: its name in the log, whether it writes (the
// size limit is for reads), and whether it opened the path.
struct Reader {
  const char* function;
  bool writes;
  std::function<bool(const char*)> open;
};

bool Opened(FILE* file) {
  if (file) std::fclose(file);
  return file != nullptr;
}

const Reader kReaders[] = {
    {"File::Read", false,
     [](const char* path) {
       char* buffer = File::Read(path, nullptr);
       File::Free(buffer);
       return buffer != nullptr;
     }},
    {"File::ReadText", false,
     [](const char* path) {
       char* buffer = File::ReadText(path, nullptr);
       File::Free(buffer);
       return buffer != nullptr;
     }},
    {"File::Open", false, [](const char* path) { return Opened(File::Open(path, "r")); }},
    {"File::Open", false, [](const char* path) { return Opened(File::Open(path, "rb")); }},
    {"File::Open", true, [](const char* path) { return Opened(File::Open(path, "r+")); }},
    {"File::Open", true, [](const char* path) { return Opened(File::Open(path, "a")); }},
    {"File::Size", false, [](const char* path) { return File::Size(path) != 0; }},
};

TEST(FileSpecial, OnlyRegularFilesAreRead) {
  TempFolder dir;
  ASSERT_EQ(mkfifo(dir.Native("pipe.mqo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", dir.Native("zero.bmp").c_str()), 0);
  FrxTest::FifoGuard guard(dir.Native("pipe.mqo"));
  struct Case {
    std::string path;
    bool special;  // logged as not a regular file
  };
  const Case cases[] = {
      {"/dev/zero", true},
      {"/dev/urandom", true},
      {dir.System("pipe.mqo"), true},
      {dir.System("ZERO.BMP"), true},  // a texture named in another case, linked to a device
      {dir.System(), false},           // a folder
  };
  for (const Case& c : cases) {
    for (const Reader& reader : kReaders) {
      LogCapture log;
      EXPECT_FALSE(reader.open(c.path.c_str())) << reader.function << " " << c.path;
      EXPECT_EQ(log.Contains(std::string(reader.function) + ": '" + c.path + "' is not a regular file\n"),
                c.special)
          << reader.function << " " << c.path << "\n"
          << log.Text();
    }
  }
  EXPECT_FALSE(guard.Fired()) << "a reader waited for the FIFO's writer";
  // Nothing was put in place of the FIFO or the link by the writing modes.
  struct stat st;
  ASSERT_EQ(lstat(dir.Native("pipe.mqo").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(lstat(dir.Native("zero.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(FileSpecial, FilesOverTheLimitAreRefused) {
  TempFolder dir;
  // Sparse: no disk space is used, and a reader that honours the limit never
  // reads it.
  const int fd = open(dir.Native("huge.mqo").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, File::ReadLimit + 1), 0);
  close(fd);
  const std::string path = dir.System("huge.mqo");
  for (const Reader& reader : kReaders) {
    if (std::string(reader.function) == "File::Size") continue;
    LogCapture log;
    EXPECT_EQ(reader.open(path.c_str()), reader.writes) << reader.function;
    EXPECT_EQ(log.Contains(std::string(reader.function) + ": '" + path + "' is larger than 1024 MB\n"),
              !reader.writes)
        << reader.function << "\n"
        << log.Text();
  }
  EXPECT_EQ(File::Size(path.c_str()), static_cast<unsigned long>(File::ReadLimit + 1));
}

}  // namespace
