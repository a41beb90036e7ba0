// VoRefer<T>: a counted reference to a Frx::PrefTarget-derived object that hides
// a target once it has been released.
#pragma once

namespace Vo {
// Drops one count; the count reaching zero runs the target's DeleteThis.
template <class T>
inline void DropCount(T* target) {
  target->SubRef();
}
}  // namespace Vo

template <class T>
class VoRefer {
 public:
  VoRefer() = default;
  VoRefer(T* target) { Set(target); }  // NOLINT: assigned from raw pointers everywhere
  // A copy never revives a released target: it reads empty.
  VoRefer(const VoRefer& other) { Set(other.Get()); }
  template <class U>
  VoRefer(const VoRefer<U>& other) { Set(other.Get()); }  // NOLINT
  virtual ~VoRefer() { Clear(); }

  VoRefer& operator=(const VoRefer& other) {
    Set(other.Get());
    return *this;
  }
  template <class U>
  VoRefer& operator=(const VoRefer<U>& other) {
    Set(other.Get());
    return *this;
  }
  VoRefer& operator=(T* target) {
    Set(target);
    return *this;
  }

  // Takes the new target before dropping the old one, so re-pointing at an
  // object that only the old target keeps alive cannot free it midway.
  void Set(T* target) {
    if (target == target_) return;
    if (target) target->AddRef();
    T* old = target_;
    target_ = target;
    if (old) Vo::DropCount(old);
  }

  void Clear() {
    T* old = target_;
    target_ = nullptr;
    if (old) Vo::DropCount(old);
  }

  // The target, or null when empty or released.
  T* Get() const { return (target_ && !target_->IsRelease()) ? target_ : nullptr; }
  // The stored pointer whatever its released flag says.
  T* GetRaw() const { return target_; }
  bool IsEmpty() const { return target_ == nullptr; }

  operator T*() const { return Get(); }  // NOLINT
  T* operator->() const { return Get(); }

 private:
  T* target_ = nullptr;
};

// The engine holds the one copy of these references' code and table of
// virtuals, so a reference made by a plug-in never points into a module that
// may be unloaded before it.
class VoFace;
class VoIBone;
class VoIBranch;
class VoICharacter;
class VoIControl;
class VoICoordinate;
class VoIItem;
class VoILocate;
class VoIMaterial;
class VoIMotion;
class VoIObject;
class VoIPolygon;
class VoISkelton;
class VoITexture;
class VoIValue;
class VoVertex;
extern template class VoRefer<VoFace>;
extern template class VoRefer<VoIBone>;
extern template class VoRefer<VoIBranch>;
extern template class VoRefer<VoICharacter>;
extern template class VoRefer<VoIControl>;
extern template class VoRefer<VoICoordinate>;
extern template class VoRefer<VoIItem>;
extern template class VoRefer<VoILocate>;
extern template class VoRefer<VoIMaterial>;
extern template class VoRefer<VoIMotion>;
extern template class VoRefer<VoIObject>;
extern template class VoRefer<VoIPolygon>;
extern template class VoRefer<VoISkelton>;
extern template class VoRefer<VoITexture>;
extern template class VoRefer<VoIValue>;
extern template class VoRefer<VoVertex>;
