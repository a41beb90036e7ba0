// VoClassDescExport: writes a list of items or a branch to a file.
#pragma once

#include <list>

#include "vocore/item/VoRefer.h"
#include "vocore/vocore/VoClassDescIE.h"

class VoIBranch;
class VoIItem;

class VoClassDescExport : public VoClassDescIE {
 public:
  int IsExportPlugin() override;
  // Both return non-zero on success; the defaults write nothing and fail.
  // `flags` is pointer-sized.
  virtual int Export(const char* /*path*/, std::list<VoRefer<VoIItem>>& /*items*/,
                     unsigned long /*flags*/) {
    return 0;
  }
  virtual int Export(const char* /*path*/, VoIBranch* /*branch*/, unsigned long /*flags*/) {
    return 0;
  }
};
