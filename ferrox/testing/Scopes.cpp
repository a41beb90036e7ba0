#include "ferrox/testing/Scopes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ferrox/ferrox/Ferrox.h"

namespace FrxTest {

EnvScope::EnvScope(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

EnvScope::~EnvScope() {
  if (old_) setenv(name_.c_str(), old_->c_str(), 1);
  else unsetenv(name_.c_str());
}

FolderScope::FolderScope(const std::string& folder) {
  std::error_code error;
  old_ = std::filesystem::current_path(error).string();
  EXPECT_EQ(chdir(folder.c_str()), 0) << folder;
}

FolderScope::~FolderScope() { EXPECT_EQ(chdir(old_.c_str()), 0) << old_; }

FerroxScope::FerroxScope()
    : instance_(Frx::theFerrox.instance),
      mainWindow_(Frx::theFerrox.mainWindow),
      debug_(Frx::theFerrox.debug),
      systemPath_(Frx::theFerrox.systemPath),
      currentPath_(Frx::theFerrox.currentPath),
      logPath_(Frx::theFerrox.logPath),
      logEnabled_(Frx::theFerrox.logEnabled) {}

FerroxScope::~FerroxScope() {
  Frx::theFerrox.instance = instance_;
  Frx::theFerrox.mainWindow = mainWindow_;
  Frx::theFerrox.debug = debug_;
  Frx::theFerrox.systemPath = systemPath_;
  Frx::theFerrox.currentPath = currentPath_;
  Frx::theFerrox.logPath = logPath_;
  Frx::theFerrox.logEnabled = logEnabled_;
}

}  // namespace FrxTest
