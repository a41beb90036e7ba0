// IScript: the interface a script engine (an outside plug-in) implements. An
// item owns one reference of its script and calls Release to give it back.
#pragma once

#include <cstdarg>

class IScript {
 public:
  virtual void Release() = 0;
  virtual int HasMethod(const char* name) = 0;
  // 0 on failure.
  virtual int CallMethodV(const char* name, va_list args) = 0;

  int CallMethod(const char* name, ...) {
    va_list args;
    va_start(args, name);
    const int result = CallMethodV(name, args);
    va_end(args);
    return result;
  }

 protected:
  ~IScript() = default;  // scripts free themselves through Release
};
