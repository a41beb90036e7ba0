// VoItemExtend: the host's per-item extension. The engine only stores it in
// VoIItem::extension and never calls it; the host makes it in
// VoMaster::CreateItemExtend and deletes it in ReleaseItemExtend.
#pragma once

class VoItemExtend {
 public:
  virtual ~VoItemExtend() = default;
};
