// How the writers replace files: flushed to the disk before the rename,
// read-only files refused, links written through, stale temporaries removed
// and permission bits kept.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/TempFolder.h"
#include "ferrox/file/AtomicFile.h"
#include "ferrox/file/File.h"
#include "ferrox/file/TextFile.h"

namespace {

using FrxTest::LogCapture;
using FrxTest::TempFolder;
namespace File = Frx::File;

// Every way of writing a file: its name in the log, whether it appends in
// place rather than replacing the file, and the write itself (1 or 0).
struct Writer {
  const char* function;
  const char* mode;  // of File::Open; null for the others
  bool appends;
  std::function<int(const char*, const char*)> write;
};

int WriteThroughOpen(const char* path, const char* mode, const char* text) {
  FILE* file = File::Open(path, mode);
  if (!file) return 0;
  std::fputs(text, file);
  return std::fclose(file) == 0 ? 1 : 0;
}

const Writer kWriters[] = {
    {"File::Write", nullptr, false,
     [](const char* path, const char* text) {
       return File::Write(const_cast<char*>(text), static_cast<int>(std::strlen(text)), path);
     }},
    {"File::TextWriter", nullptr, false, [](const char* path, const char* text) { return File::WriteText(path, text); }},
    {"File::Open", "w", false, [](const char* path, const char* text) { return WriteThroughOpen(path, "w", text); }},
    {"File::Open", "wb", false, [](const char* path, const char* text) { return WriteThroughOpen(path, "wb", text); }},
    {"File::Open", "a", true, [](const char* path, const char* text) { return WriteThroughOpen(path, "a", text); }},
    {"File::Open", "w+", false, [](const char* path, const char* text) { return WriteThroughOpen(path, "w+", text); }},
};

// Append and "+" modes write the file where it lies, with no temporary.
bool InPlace(const Writer& w) { return w.appends || (w.mode && std::strchr(w.mode, '+')); }

std::string Name(const Writer& w) { return std::string(w.function) + (w.mode ? std::string(" ") + w.mode : ""); }

mode_t ModeOf(const std::string& native) {
  struct stat st;
  return lstat(native.c_str(), &st) == 0 ? st.st_mode : 0;
}

// Sets a file's modification time `seconds` into the past.
void Age(const std::string& native, time_t seconds) {
  const timespec when[2] = {{std::time(nullptr) - seconds, 0}, {std::time(nullptr) - seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, native.c_str(), when, AT_SYMLINK_NOFOLLOW), 0) << native;
}

// What the sync seam saw: the target's content at each call.
struct SyncRecord {
  const TempFolder* dir = nullptr;
  std::vector<std::string> events;
  bool failFile = false;
  bool failFolder = false;
} syncSeen;

int RecordSync(int, bool folder) {
  syncSeen.events.push_back(std::string(folder ? "folder " : "file ") + syncSeen.dir->Get("out.txt"));
  if (folder ? syncSeen.failFolder : syncSeen.failFile) return errno = EIO, -1;
  return 0;
}

TEST(FileSave, FlushedBeforeTheRenameAndTheFolderAfter) {
  TempFolder dir;
  syncSeen = SyncRecord();
  syncSeen.dir = &dir;
  Frx::AtomicFile::SetSync(RecordSync);
  const std::string path = dir.System("out.txt");
  for (const Writer& w : kWriters) {
    if (InPlace(w)) continue;
    dir.Put("out.txt", "old");
    syncSeen.events.clear();
    syncSeen.failFile = false;
    syncSeen.failFolder = false;
    EXPECT_EQ(w.write(path.c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(syncSeen.events, (std::vector<std::string>{"file old", "folder new"})) << Name(w);

    // Data that did not reach the disk never replaces the file.
    dir.Put("out.txt", "old");
    syncSeen.failFile = true;
    EXPECT_EQ(w.write(path.c_str(), "new"), 0) << Name(w);
    EXPECT_EQ(dir.Get("out.txt"), "old") << Name(w);
    EXPECT_EQ(dir.Count(), 1u) << Name(w);  // the temporary is gone too

    // The file is in place once renamed; the folder's flush is the best that
    // can be done then.
    syncSeen.failFile = false;
    syncSeen.failFolder = true;
    EXPECT_EQ(w.write(path.c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(dir.Get("out.txt"), "new") << Name(w);
  }
  Frx::AtomicFile::SetSync(nullptr);
}

TEST(FileSave, ReadOnlyFilesAreRefused) {
  TempFolder dir;
  const std::string path = dir.System("model.mqo");
  // Root writes whatever the bits say: the refusal must come from the bits.
  for (const mode_t mode : {0444, 0400, 0555}) {
    for (const Writer& w : kWriters) {
      dir.Put("model.mqo", "old");
      ASSERT_EQ(chmod(dir.Native("model.mqo").c_str(), mode), 0);
      LogCapture log;
      EXPECT_EQ(w.write(path.c_str(), "new"), 0) << Name(w) << " " << std::oct << mode;
      EXPECT_EQ(dir.Get("model.mqo"), "old") << Name(w);
      EXPECT_EQ(ModeOf(dir.Native("model.mqo")) & 07777, mode) << Name(w);
      EXPECT_EQ(dir.Count(), 1u) << Name(w);
      EXPECT_TRUE(log.Contains(std::string(w.function) + ": '" + path + "' is read-only\n")) << Name(w) << log.Text();
      ASSERT_EQ(chmod(dir.Native("model.mqo").c_str(), 0644), 0);
    }
  }
  // One write bit is enough, as Windows has a single read-only attribute.
  dir.Put("model.mqo", "old");
  ASSERT_EQ(chmod(dir.Native("model.mqo").c_str(), 0200), 0);
  EXPECT_EQ(File::WriteText(path.c_str(), "new"), 1);
}

TEST(FileSave, LinksAreWrittenThrough) {
  TempFolder dir;
  dir.Put("data/real.txt", "old");
  // A chain: near -> far (absolute) -> data/real.txt (relative to far's folder).
  ASSERT_EQ(symlink("data/real.txt", dir.Native("far").c_str()), 0);
  ASSERT_EQ(symlink(dir.Native("far").c_str(), dir.Native("near.txt").c_str()), 0);
  ASSERT_EQ(symlink("made.txt", dir.Native("dangling.txt").c_str()), 0);
  ASSERT_EQ(symlink("none/made.txt", dir.Native("nofolder.txt").c_str()), 0);
  ASSERT_EQ(symlink("loop-b", dir.Native("loop-a").c_str()), 0);
  ASSERT_EQ(symlink("loop-a", dir.Native("loop-b").c_str()), 0);
  ASSERT_EQ(symlink("/dev/null", dir.Native("null.txt").c_str()), 0);
  const size_t entries = dir.Count();
  for (const Writer& w : kWriters) {
    dir.Put("data/real.txt", "old");
    const std::string expected = w.appends ? "oldnew" : "new";
    EXPECT_EQ(w.write(dir.System("NEAR.TXT").c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(dir.Get("data/real.txt"), expected) << Name(w);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.Native("near.txt")))) << Name(w);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.Native("far")))) << Name(w);
    EXPECT_EQ(dir.Count("data"), 1u) << Name(w);  // no temporary left beside the file

    // A link to no file creates the file it names, as opening it would.
    std::remove(dir.Native("made.txt").c_str());
    EXPECT_EQ(w.write(dir.System("dangling.txt").c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(dir.Get("made.txt"), "new") << Name(w);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.Native("dangling.txt")))) << Name(w);
    EXPECT_EQ(w.write(dir.System("nofolder.txt").c_str(), "new"), 0) << Name(w);

    // Neither a loop nor a device is replaced by a file.
    LogCapture log;
    EXPECT_EQ(w.write(dir.System("loop-a").c_str(), "new"), 0) << Name(w);
    EXPECT_EQ(w.write(dir.System("null.txt").c_str(), "new"), 0) << Name(w);
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null"))) << Name(w);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.Native("null.txt")))) << Name(w);
    EXPECT_TRUE(log.Contains(std::string(w.function) + ": '" + dir.System("null.txt") + "' is not a regular file\n"))
        << Name(w) << log.Text();
    if (!InPlace(w)) {  // open itself fails on the loop for the others, a plain failure
      EXPECT_TRUE(log.Contains(std::string(w.function) + ": '" + dir.System("loop-a") + "' has too many symbolic links\n"))
          << Name(w) << log.Text();
    }
    EXPECT_EQ(dir.Count(), entries + 1) << Name(w);  // made.txt and nothing else
  }
  // A read-only file behind a link is refused like the file itself.
  dir.Put("data/real.txt", "old");
  ASSERT_EQ(chmod(dir.Native("data/real.txt").c_str(), 0444), 0);
  EXPECT_EQ(File::WriteText(dir.System("near.txt").c_str(), "x"), 0);
  EXPECT_EQ(dir.Get("data/real.txt"), "old");
}

TEST(FileSave, StaleTemporariesAreRemoved) {
  TempFolder dir;
  // A process that has ended, one that is running, and this one.
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  const std::string dead = std::to_string(child), alive = std::to_string(getppid()),
                    self = std::to_string(getpid());
  enum Kind { Plain, Folder, Link };
  struct Case {
    std::string name;
    Kind kind;
    time_t age;  // seconds since last written
    bool kept;
  };
  const Case cases[] = {
      {".a.mqo.savora-" + dead + "-1.tmp", Plain, 10 * 60, false},   // its writer was killed
      {".a.mqo.savora-" + dead + "-2.tmp", Plain, 30, true},         // may be another machine's, just begun
      {".b.mqo.savora-" + alive + "-1.tmp", Plain, 10 * 60, true},   // its writer still runs
      {".b.mqo.savora-" + alive + "-2.tmp", Plain, 2 * 3600, false}, // abandoned (or the id was reused)
      {".c.mqo.savora-" + self + "-999999.tmp", Plain, 10 * 60, false},  // an earlier process with our id
      // Not ours: other names, other kinds of entries.
      {".a.mqo.tmp", Plain, 2 * 3600, true},
      {"a.mqo.savora-" + dead + "-3.tmp", Plain, 2 * 3600, true},
      {".savora-" + dead + "-4.tmp", Plain, 2 * 3600, true},
      {".a.mqo.savora-" + dead + "x-5.tmp", Plain, 2 * 3600, true},
      {".a.mqo.savora-" + dead + "-6.tmp.bak", Plain, 2 * 3600, true},
      {".a.mqo.savora--7.tmp", Plain, 2 * 3600, true},
      {".d.mqo.savora-" + dead + "-8.tmp", Folder, 2 * 3600, true},
      {".e.mqo.savora-" + dead + "-9.tmp", Link, 2 * 3600, true},
  };
  for (const Case& c : cases) {
    if (c.kind == Plain) {
      dir.Put(c.name, "part");
    } else if (c.kind == Folder) {
      ASSERT_EQ(mkdir(dir.Native(c.name).c_str(), 0755), 0);
    } else {
      ASSERT_EQ(symlink("a.mqo", dir.Native(c.name).c_str()), 0);
    }
    Age(dir.Native(c.name), c.age);
  }
  // A save of this process under way, idle for minutes.
  File::TextWriter live;
  ASSERT_EQ(live.Open(dir.System("live.kvm").c_str()), 1);
  live.Write("keyed\n");
  std::string liveTemporary;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Native()))
    if (entry.path().filename().string().rfind(".live.kvm.savora-" + self + "-", 0) == 0)
      liveTemporary = entry.path().filename().string();
  ASSERT_FALSE(liveTemporary.empty());
  Age(dir.Native(liveTemporary), 10 * 60);

  char data[] = "x";
  ASSERT_EQ(File::Write(data, 1, dir.System("other.mqo").c_str()), 1);
  for (const Case& c : cases)
    EXPECT_EQ(ModeOf(dir.Native(c.name)) != 0, c.kept) << c.name;
  EXPECT_NE(ModeOf(dir.Native(liveTemporary)), 0u);
  EXPECT_EQ(live.Close(), 1);
  EXPECT_EQ(dir.Get("live.kvm"), "keyed\r\n");
}

TEST(FileSave, LongNamesFitTheirTemporary) {
  TempFolder dir;
  const std::string name(250, 'n');  // the longest names leave no room for a longer temporary name
  for (const Writer& w : kWriters) {
    EXPECT_EQ(w.write(dir.System(name).c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(dir.Get(name), w.appends ? "newnew" : "new") << Name(w);
  }
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(FileSave, PermissionBitsAreKept) {
  TempFolder dir;
  const std::string path = dir.System("out.txt");
  for (const Writer& w : kWriters) {
    for (const mode_t mode : {0640, 0600, 0751, 0604}) {
      dir.Put("out.txt", "old");
      ASSERT_EQ(chmod(dir.Native("out.txt").c_str(), mode), 0);
      EXPECT_EQ(w.write(path.c_str(), "new"), 1) << Name(w);
      EXPECT_EQ(ModeOf(dir.Native("out.txt")) & 07777, mode) << Name(w) << " " << std::oct << mode;
    }
    // A new file gets what a plain create gives.
    const mode_t mask = umask(0);
    umask(mask);
    std::remove(dir.Native("out.txt").c_str());
    EXPECT_EQ(w.write(path.c_str(), "new"), 1) << Name(w);
    EXPECT_EQ(ModeOf(dir.Native("out.txt")) & 07777, 0666 & ~mask) << Name(w);
  }
  // Root saving another user's file leaves it theirs.
  if (geteuid() == 0) {
    dir.Put("theirs.txt", "old");
    ASSERT_EQ(chown(dir.Native("theirs.txt").c_str(), 12345, 23456), 0);
    ASSERT_EQ(chmod(dir.Native("theirs.txt").c_str(), 02640), 0);
    EXPECT_EQ(File::WriteText(dir.System("theirs.txt").c_str(), "new"), 1);
    struct stat st;
    ASSERT_EQ(stat(dir.Native("theirs.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
  }
}

}  // namespace
