// DocumentPrompts: the file choices the document asks of the user. The main
// frame answers with file dialogs; tests answer with their own.
#pragma once

#include "ferrox/string/Pstring.h"

class DocumentPrompts {
 public:
  // `filter` is the Windows form "Text|*.a;*.b|...||" (Shift-JIS). The chosen
  // path (system text), or empty when the user cancelled.
  virtual Frx::Pstring OpenFileName(const char* filter) = 0;
  // `defaultExt` without its dot; asks before overwriting.
  virtual Frx::Pstring SaveFileName(const char* filter, const char* defaultExt) = 0;
  // A file the user opened, for the recent-file list; ignored by default.
  virtual void AddRecentFile(const char* path) { (void)path; }

 protected:
  ~DocumentPrompts() = default;
};
