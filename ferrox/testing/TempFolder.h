// A scratch folder of a test's own, removed with its contents when the object
// goes. Names are given as UTF-8 file-system names unless said otherwise.
#pragma once

#include <cstddef>
#include <string>

namespace FrxTest {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // File-system path of a name in the folder (the folder itself, "/"-ended, for "").
  std::string Native(const std::string& name = "") const { return native_ + name; }
  // System path (Shift-JIS, "\" separators) of a name given as system text.
  std::string System(const std::string& name = "") const;

  // Writes `bytes` to the file, making its folders first; its file-system path.
  std::string Put(const std::string& name, const std::string& bytes) const;
  // The file's bytes ("" when it cannot be read).
  std::string Get(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Entries of the folder or of a subfolder.
  size_t Count(const std::string& sub = "") const;

 private:
  std::string native_;
};

// One scratch folder for the whole program, removed at its exit: for files a
// benchmark makes once and reads in many runs.
const TempFolder& ProgramFolder();

}  // namespace FrxTest
