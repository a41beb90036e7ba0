// VoIKeyControl<T>: keys {frame, value} of one animated member, sorted by
// frame with at most one key per frame. VoIKeyControlBase holds the
// type-independent slots so that any keyed control answers IsKeyControl.
//
// Keys stay sorted at all times: setting a key inserts it in place (a binary
// search, then an append for keys that come in frame order, as every reader
// supplies them), so a whole import costs n log n and no lookup scans.
#pragma once

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/string/Pstring.h"
#include "vocore/item/Ptable.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/motion/VoKeyText.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"

// Fixed underlying type: any number read from a file is a valid value.
enum VoCurveType : int { VO_CURVE_LINEAR = 0, VO_CURVE_SPLINE = 1, VO_CURVE_BLEND = 2 };

class VoIKeyControlBase : public VoIControl {
 public:
  enum : unsigned long { CLASS_ID = 98 };  // no descriptor: every kind answers its own id
  explicit VoIKeyControlBase(VoIBranch* parent = nullptr) : VoIControl(parent) {}
  unsigned long GetClassID() override { return CLASS_ID; }
  VoIKeyControlBase* IsKeyControl() override { return this; }
  // "<out class>:<name>.<out member>".
  Frx::Pstring GetNameEx() override;

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

 protected:
  // The lines every keyed control writes before its keys.
  void SaveHead(VoSave& save, long endframe);
  // One line of the head (name, class, member, endframe): 1 when it matched.
  // className keeps the class line until the member line uses it.
  int LoadHead(VoLoad& load, char (&className)[256], long& endframe);
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
    auto it = LowerBound(frame);
    return it != keys.end() && it->frame == frame ? static_cast<int>(it - keys.begin()) : -1;
  }
  // The last key at or before the frame; -1 before the first key.
  int GetKeyIndex(long frame) override {
    auto it = std::upper_bound(keys.begin(), keys.end(), frame,
                               [](long f, const Key& k) { return f < k.frame; });
    return static_cast<int>(it - keys.begin()) - 1;
  }
  long GetKeyFrame(unsigned index) override { return index < keys.size() ? keys[index].frame : INT_MAX; }
  void ClearKey() override { keys.clear(); }
  void* GetKeyRecord(long frame) override { return GetKey(frame); }
  Key* GetKey(long frame) {
    const int i = FindKeyIndex(frame);
    return i < 0 ? nullptr : &keys[i];
  }
  void SortKey() override {
    auto less = [](const Key& a, const Key& b) { return a.frame < b.frame; };
    if (!std::is_sorted(keys.begin(), keys.end(), less)) std::stable_sort(keys.begin(), keys.end(), less);
  }
  int DeleteKey(long frame) override {
    auto it = LowerBound(frame);
    if (it == keys.end() || it->frame != frame) return 0;
    keys.erase(it);
    return 1;
  }
  // The key at `to` goes even when `from` has none: the destination frame
  // then holds what the source frame held, nothing. A move or copy onto its
  // own frame keeps the key.
  int CopyKey(long to, long from) override {
    if (to == from) return GetKey(from) ? 1 : 0;
    DeleteKey(to);
    Key* source = GetKey(from);
    if (!source) return 0;
    T value = source->value;
    SetKey(to, std::move(value));
    return 1;
  }
  int TransKey(long to, long from) override {
    if (to == from) return GetKey(from) ? 1 : 0;
    DeleteKey(to);
    Key* source = GetKey(from);
    if (!source) return 0;
    T value = std::move(source->value);
    DeleteKey(from);
    SetKey(to, std::move(value));
    return 1;
  }
  // Without keys the table is emptied, so a table made before the last key
  // was deleted shows none of the old frames.
  int MakeKeyFrameTable(Ptable<long>& table) override {
    if (keys.empty()) {
      table.clear();
      return 0;
    }
    table.resize(static_cast<int>(keys.size()));
    for (size_t i = 0; i < keys.size(); ++i) table[static_cast<int>(i)] = keys[i].frame;
    return static_cast<int>(keys.size());
  }

  // Key setting: replaces the value of the key at the frame, else adds a key.
  Key& SetKey(long frame, T value) {
    if (keys.empty() || keys.back().frame < frame) {
      keys.push_back(Key{frame, std::move(value)});
      return keys.back();
    }
    auto it = LowerBound(frame);
    if (it != keys.end() && it->frame == frame) {
      it->value = std::move(value);
      return *it;
    }
    return *keys.insert(it, Key{frame, std::move(value)});
  }

  void Copy(VoIItem* source) override {
    VoIControl::Copy(source);
    auto* other = dynamic_cast<VoIKeyControl<T>*>(source);
    if (!other || other == this) return;
    endframe = other->endframe;
    for (const Key& k : other->keys) SetKey(k.frame, k.value);
  }

  int Save(VoSave& save) override {
    SaveHead(save, endframe);
    SaveKeys(save);
    return 1;
  }
  int Load(VoLoad& load) override {
    char className[256] = "";
    for (;;) {
      if (LoadHead(load, className, endframe) || LoadKey(load)) continue;
      return 0;
    }
  }

  std::vector<Key> keys;
  // Kept for the text and copies only: interpolation wraps by the motion's.
  long endframe = 0;

 protected:
  typename std::vector<Key>::iterator LowerBound(long frame) {
    return std::lower_bound(keys.begin(), keys.end(), frame,
                            [](const Key& k, long f) { return k.frame < f; });
  }
  void SaveKeys(VoSave& save) {
    for (unsigned i = 0; i < keys.size(); ++i) VoKeyText::Write(save, GetKeyFrame(i), keys[i].value);
  }
  int LoadKey(VoLoad& load) {
    long frame = 0;
    T value{};
    if (!VoKeyText::Read(load, frame, value)) return 0;
    SetKey(frame, std::move(value));
    return 1;
  }
};

// A keyed control with a curve kind (vector and quaternion).
template <class T>
class VoICurveControl : public VoIKeyControl<T> {
 public:
  explicit VoICurveControl(VoIBranch* parent = nullptr) : VoIKeyControl<T>(parent) {}

  VoCurveType GetCurveType() const { return curve; }
  // The curve kind goes with the keys: a copied motion plays as its source.
  void Copy(VoIItem* source) override {
    VoIKeyControl<T>::Copy(source);
    if (auto* other = dynamic_cast<VoICurveControl<T>*>(source)) curve = other->curve;
  }
  void SetCurveType(VoCurveType kind) { curve = kind; }

  int Save(VoSave& save) override {
    this->SaveHead(save, this->endframe);
    save.Write("curve = %d\n", static_cast<int>(curve));
    this->SaveKeys(save);
    return 1;
  }
  int Load(VoLoad& load) override {
    char className[256] = "";
    for (;;) {
      if (this->LoadHead(load, className, this->endframe)) continue;
      int kind = 0;
      if (load.Read(" curve = %d", &kind)) {
        curve = static_cast<VoCurveType>(kind);
        continue;
      }
      if (this->LoadKey(load)) continue;
      return 0;
    }
  }

  VoCurveType curve = VO_CURVE_LINEAR;
};

// Instantiated once in the engine, so modules share its code and tables.
extern template class VoIKeyControl<int>;
extern template class VoIKeyControl<float>;
extern template class VoIKeyControl<std::string>;
extern template class VoIKeyControl<Frx::Pvector>;
extern template class VoIKeyControl<Frx::Pquaternion>;
extern template class VoICurveControl<Frx::Pvector>;
extern template class VoICurveControl<Frx::Pquaternion>;
