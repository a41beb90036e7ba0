// A test importer of one extension: it succeeds by making what the test asks
// (a polygon or a motion under the branch) or fails as the motion and BVH
// readers do, releasing the branch it was importing into.
#pragma once

#include <string>

#include "vocore/vocore/VoClassDescImport.h"

namespace edtest {

class TestImporter : public VoClassDescImport {
 public:
  // FailWithError: refuses the file with theFerrox's error box first.
  // MakeKeyedMotion: a motion holding a control, with no regard to depth.
  enum Result { MakeObject, MakeMotion, MakeKeyedMotion, FailAndReleaseParent, Fail, FailWithError };

  TestImporter(const char* ext, Result result) : result(result), ext_(ext) {}
  const char* ClassName() override { return "TestImporter"; }
  const char* FileType() override { return "Test Files (*.x)"; }
  const char* FileExt() override { return ext_.c_str(); }
  VoIItem* Import(const char* path, VoIBranch* parent, unsigned long flags) override;

  Result result;
  int calls = 0;
  unsigned long lastFlags = 0;

 private:
  std::string ext_;
};

}  // namespace edtest
