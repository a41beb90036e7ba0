#include "ferrox/ferrox/Ferrox.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ferrox/string/NativeName.h"
#include "ferrox/string/Sjis.h"
#include "platform/module/Module.h"

namespace Frx {

Ferrox theFerrox;

namespace {

// Length of `text` (n bytes) without a final lead byte whose trail byte was cut
// off: a half character would swallow whatever is written after it.
int WholeCharacters(const char* text, int n) {
  int i = 0;
  while (i < n) {
    const bool lead = Sjis::IsLead(text[i]);
    if (lead && i + 1 >= n) return i;
    i += lead ? 2 : 1;
  }
  return n;
}

// Formats into a message of at most MessageLimit characters; returns whether it was cut.
bool FormatMessage(char (&buffer)[Ferrox::MessageLimit + 1], const char* format, va_list args) {
  int n = std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
  if (n < 0) {
    buffer[0] = '\0';
    return false;
  }
  if (n <= Ferrox::MessageLimit) return false;
  buffer[WholeCharacters(buffer, Ferrox::MessageLimit)] = '\0';
  return true;
}

// The file name of a module (null: the main program) as system text.
std::string ModuleFileName(HINSTANCE instance) {
  char buffer[4096];
  DWORD n = GetModuleFileNameA(instance, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

Ferrox::Ferrox()
    : instance(nullptr), mainWindow(nullptr), debug(false), logEnabled(0), targetCount(0) {}

Ferrox::~Ferrox() {
  if (debug) {
    if (targetCount != 0)
      Log("Ferrox: リークした PrefTarget が存在します cnt = %d\n", targetCount);
    else
      Log("Ferrox: 正常終了\n");
  }
  systemPath.Empty();
  currentPath.Empty();
  logPath.Empty();
  logWindow.Release();
}

void Ferrox::Initialize(HINSTANCE moduleInstance, bool debugFlag, const char* logName) {
  instance = moduleInstance;
  debug = debugFlag;
  systemPath = FolderOf(ModuleFileName(instance)).c_str();
  char cwd[4096];
  currentPath = NativeName::FromNative(getcwd(cwd, sizeof cwd) ? cwd : "");
  currentPath += '/';
  logPath = systemPath + (logName ? logName : "log.txt");
}

void Ferrox::Uninitialize() { logWindow.Release(); }

void Ferrox::CreateLog() {
  logEnabled = 1;
  Log("━━━━━━━━━━━━━  Log ━━━━━━━━━━━━━\n");
  if (debug) {
    Log("System Path %s\n", systemPath.Get());
    Log("Current Path %s\n", currentPath.Get());
  }
}

void Ferrox::DeleteLog() {
  logEnabled = 0;
  std::remove(NativeName::ToNative(logPath.Get()).c_str());
}

void Ferrox::LogOut(const char* text) {
  if (!logEnabled || !text) return;
  FILE* file = std::fopen(NativeName::ToNative(logPath.Get()).c_str(), "ab");
  if (!file) return;
  // Text mode: every line feed is written as CR LF.
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') std::fputc('\r', file);
    std::fputc(*p, file);
  }
  std::fclose(file);
}

void Ferrox::Log(const char* format, ...) {
  if (!logEnabled) return;
  char buffer[MessageLimit + 1];
  va_list args;
  va_start(args, format);
  bool cut = FormatMessage(buffer, format, args);
  va_end(args);
  LogOut(buffer);
  if (cut) LogOut("\nWarrning:一度に出力可能な文字数を越えました\n");
  logWindow.AppendText(buffer);
}

void Ferrox::ReportError(HWND owner, const char* message) {
  Log("error:\n");
  Log("%s", message);
  Log("\n");
  int answer = ShowMessageBox(owner, message, "エラー", MB_OKCANCEL | MB_ICONINFORMATION);
  if (answer == IDCANCEL) {
    Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
    std::_Exit(-1);
  }
}

void Ferrox::Error(HWND owner, const char* format, ...) {
  char buffer[MessageLimit + 1];
  va_list args;
  va_start(args, format);
  FormatMessage(buffer, format, args);
  va_end(args);
  ReportError(owner, buffer);
}

void Ferrox::Error(const char* format, ...) {
  char buffer[MessageLimit + 1];
  va_list args;
  va_start(args, format);
  FormatMessage(buffer, format, args);
  va_end(args);
  ReportError(mainWindow, buffer);
}

void Ferrox::Shutdown(const char* format, ...) {
  char buffer[MessageLimit + 1];
  va_list args;
  va_start(args, format);
  FormatMessage(buffer, format, args);
  va_end(args);
  Log("shutdown:\n");
  Log("%s", buffer);
  Log("\n");
  ShowMessageBox(mainWindow, buffer, "シャットダウン", MB_OK | MB_ICONSTOP);
  std::_Exit(-1);
}

Pstring Ferrox::GetExeName() {
  // Larger than Windows' 260: a cut path would name another file.
  static char name[4096];
  DWORD n = GetModuleFileNameA(instance, name, sizeof name);
  if (n >= sizeof name) n = 0;
  name[n] = '\0';
  return Pstring(name);
}

bool Ferrox::CreateLogWindow(HINSTANCE moduleInstance, long) { return logWindow.Create(moduleInstance); }
bool Ferrox::ShowLogWindow() { return logWindow.Show(); }
bool Ferrox::HideLogWindow() { return logWindow.Hide(); }
bool Ferrox::ReleaseLogWindow() { return logWindow.Release(); }
bool Ferrox::IsExistLogWindow() { return logWindow.IsExist(); }

}  // namespace Frx
