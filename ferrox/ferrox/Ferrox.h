// Frx::Ferrox: the process object of the base library (log, error and shutdown
// reports, program folder, debug flag). Every module reaches the one theFerrox.
#pragma once

#include "ferrox/ferrox/LogWindow.h"
#include "ferrox/ferrox/MessageBox.h"
#include "ferrox/string/Pstring.h"
#include "platform/win32/WinTypes.h"

namespace Frx {

class PrefTarget;

class Ferrox {
 public:
  // Largest formatted message; longer ones are cut.
  static constexpr int MessageLimit = 10240;

  Ferrox();
  ~Ferrox();
  Ferrox(const Ferrox&) = delete;
  Ferrox& operator=(const Ferrox&) = delete;

  // instance: a module handle (null: the main program). logName null: "log.txt".
  void Initialize(HINSTANCE instance, bool debug, const char* logName);
  void Uninitialize();

  void CreateLog();
  void DeleteLog();
  void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void LogOut(const char* text);
  void Error(HWND owner, const char* format, ...) __attribute__((format(printf, 3, 4)));
  void Error(const char* format, ...) __attribute__((format(printf, 2, 3)));
  [[noreturn]] void Shutdown(const char* format, ...) __attribute__((format(printf, 2, 3)));

  void SetWindow(HWND window) { mainWindow = window; }
  HWND GetWindow() const { return mainWindow; }
  Pstring GetExeName();

  bool CreateLogWindow(HINSTANCE instance, long unused);
  bool ShowLogWindow();
  bool HideLogWindow();
  bool ReleaseLogWindow();
  bool IsExistLogWindow();

  void AddRefTarget(PrefTarget*) {}
  int SubRefTarget(PrefTarget*) { return 0; }

  HINSTANCE instance;
  LogWindow logWindow;
  HWND mainWindow;
  bool debug;
  Pstring systemPath;   // folder of the instance's module, with its trailing separator
  Pstring currentPath;  // working folder at Initialize, with a trailing separator
  Pstring logPath;
  int logEnabled;
  int targetCount;  // live PrefTargets, counted in debug mode

 private:
  void ReportError(HWND owner, const char* message);
};

extern Ferrox theFerrox;

}  // namespace Frx
