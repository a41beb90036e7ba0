// VoBuiltinItemDesc<T>: the item descriptor of an engine class T.
#pragma once

#include "vocore/vocore/VoClassDescItem.h"

template <class T>
class VoBuiltinItemDesc : public VoClassDescItem {
 public:
  constexpr VoBuiltinItemDesc(const char* name, unsigned long id, unsigned long parentId,
                              unsigned long icon)
      : name_(name), id_(id), parentId_(parentId), icon_(icon) {}
  const char* ClassName() override { return name_; }
  unsigned long ClassID() override { return id_; }
  unsigned long ParentClassID() override { return parentId_; }
  VoIItem* Create(VoIBranch* parent) override { return new T(parent); }
  unsigned long NumIcon() override { return icon_; }

 private:
  const char* name_;
  unsigned long id_;
  unsigned long parentId_;
  unsigned long icon_;
};
