// Scope objects for tests that change process-wide state: each puts back what
// it changed when it goes, also when a failed ASSERT leaves the test early.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ferrox/string/Pstring.h"
#include "platform/win32/WinTypes.h"

namespace FrxTest {

// Gives a variable a value for the life of the object.
template <class T>
class ValueScope {
 public:
  ValueScope(T& place, T value) : place_(place), old_(std::exchange(place, std::move(value))) {}
  ~ValueScope() { place_ = std::move(old_); }
  ValueScope(const ValueScope&) = delete;
  ValueScope& operator=(const ValueScope&) = delete;

 private:
  T& place_;
  T old_;
};

// Installs a handler through a setter that returns the handler it replaces
// (Frx::SetMessageBoxHandler, Frx::SetLogViewFactory) and puts the replaced
// one back when the object goes.
template <class Handler>
class HandlerScope {
 public:
  explicit HandlerScope(Handler (*set)(Handler), Handler handler = {}) : set_(set), old_(set(std::move(handler))) {}
  ~HandlerScope() { set_(std::move(old_)); }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  Handler (*set_)(Handler);
  Handler old_;
};

// Sets an environment variable (unsets it for a null value) for the life of the object.
class EnvScope {
 public:
  EnvScope(const char* name, const char* value);
  ~EnvScope();
  EnvScope(const EnvScope&) = delete;
  EnvScope& operator=(const EnvScope&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Makes `folder` (a file-system path) the current folder for the life of the object.
class FolderScope {
 public:
  explicit FolderScope(const std::string& folder);
  ~FolderScope();
  FolderScope(const FolderScope&) = delete;
  FolderScope& operator=(const FolderScope&) = delete;

 private:
  std::string old_;
};

// Keeps theFerrox's settings (module, window, debug flag, folders, log path
// and switch) and puts them back when the object goes.
class FerroxScope {
 public:
  FerroxScope();
  ~FerroxScope();
  FerroxScope(const FerroxScope&) = delete;
  FerroxScope& operator=(const FerroxScope&) = delete;

 private:
  HINSTANCE instance_;
  HWND mainWindow_;
  bool debug_;
  Frx::Pstring systemPath_, currentPath_, logPath_;
  int logEnabled_;
};

}  // namespace FrxTest
