#include <dlfcn.h>

#include <cstdarg>
#include <string>

#include "ferrox/ferrox/ShowMessage.h"
#include "plugins/frame/PluginFrame.h"

namespace {

// The module's file name without folder and extension ("pelarn").
std::string ModuleCaption() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ShowMessage), &info) == 0 || info.dli_fname == nullptr)
    return std::string();
  std::string name = info.dli_fname;
  size_t slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace

int ShowMessage(int type, const char* format, ...) {
  static const std::string caption = ModuleCaption();
  va_list args;
  va_start(args, format);
  int answer = Frx::ShowMessageV(caption.c_str(), type, format, args);
  va_end(args);
  return answer;
}
