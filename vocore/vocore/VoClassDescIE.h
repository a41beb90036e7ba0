// VoClassDescIE: what importers and exporters share, the file-dialog filter
// text ("Bitmap Image Files (*.bmp)") and the extension without its dot.
#pragma once

#include "vocore/vocore/VoClassDesc.h"

class VoClassDescIE : public VoClassDesc {
 public:
  virtual const char* FileType();
  virtual const char* FileExt();
};
