// VoIKeyControl<T>: keys {frame, value} of one animated member, sorted by
// frame. VoIKeyControlBase holds the type-independent slots so that any keyed
// control answers IsKeyControl.
#pragma once

#include <climits>
#include <vector>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/item/Ptable.h"
#include "vocore/motion/VoIControl.h"

enum VoCurveType { VO_CURVE_LINEAR = 0, VO_CURVE_SPLINE = 1, VO_CURVE_BLEND = 2 };

class VoIKeyControlBase : public VoIControl {
 public:
  explicit VoIKeyControlBase(VoIBranch* parent = nullptr) : VoIControl(parent) {}
  VoIKeyControlBase* IsKeyControl() override { return this; }

  // Slots behind Save, in order.
  virtual int GetKeySize() = 0;
  virtual int FindKeyIndex(long frame) = 0;
  virtual int GetKeyIndex(long frame) = 0;
  virtual long GetKeyFrame(unsigned index) = 0;
  virtual void ClearKey() = 0;
  virtual void* GetKeyRecord(long frame) = 0;  // typed as GetKey in the template
  virtual void SortKey() = 0;
  virtual int DeleteKey(long frame) = 0;
  virtual int CopyKey(long to, long from) = 0;
  virtual int TransKey(long to, long from) = 0;
  virtual int MakeKeyFrameTable(Ptable<long>& table) = 0;

  long endframe = 0;
};

template <class T>
class VoIKeyControl : public VoIKeyControlBase {
 public:
  struct Key {
    long frame;
    T value;
  };

  explicit VoIKeyControl(VoIBranch* parent = nullptr) : VoIKeyControlBase(parent) {}

  int GetKeySize() override { return static_cast<int>(keys.size()); }
  int FindKeyIndex(long frame) override {
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i].frame == frame) return static_cast<int>(i);
    return -1;
  }
  int GetKeyIndex(long frame) override {
    for (size_t i = 0; i < keys.size(); ++i)
      if (keys[i].frame > frame) return static_cast<int>(i) - 1;
    return static_cast<int>(keys.size()) - 1;
  }
  long GetKeyFrame(unsigned index) override {
    return index < keys.size() ? keys[index].frame : INT_MAX;
  }
  void ClearKey() override { keys.clear(); }
  void* GetKeyRecord(long frame) override { return GetKey(frame); }
  Key* GetKey(long frame) {
    const int i = FindKeyIndex(frame);
    return i < 0 ? nullptr : &keys[i];
  }
  // Minimal: the key algorithms below are filled in with the keyed controls.
  void SortKey() override {}
  int DeleteKey(long) override { return 0; }
  int CopyKey(long, long) override { return 0; }
  int TransKey(long, long) override { return 0; }
  int MakeKeyFrameTable(Ptable<long>&) override { return 0; }

  std::vector<Key> keys;
};
