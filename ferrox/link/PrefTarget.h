// Frx::PrefTarget: the reference-counted base of every engine item. Counted
// references call AddRef and SubRef; the drop that reaches 0 runs DeleteThis.
// In debug mode live targets are counted in theFerrox.targetCount.
#pragma once

namespace Frx {

class PrefTarget {
 public:
  // Count 0, not released.
  PrefTarget();
  // A copy is a new target: count 0, not released. The source's count belongs
  // to the source's holders.
  PrefTarget(const PrefTarget& other);
  // Keeps this target's own count and flag.
  PrefTarget& operator=(const PrefTarget& other);
  // Logs a target deleted while still referenced (debug mode).
  virtual ~PrefTarget();

  // How the concrete class disposes of itself once the last reference is gone.
  virtual void DeleteThis() = 0;
  // Marks the target as detached from the system; holders test IsRelease.
  virtual void Release();

  void AddRef() { ++count; }
  // Drops a reference; the drop to 0 calls DeleteThis. At 0 nothing changes.
  void SubRef();
  // Calls DeleteThis when nobody holds a reference.
  void DeleteCheck();

  bool IsRelease() const { return released != 0; }
  unsigned long GetRefCount() const { return count; }
  // No name is stored; kept for callers that label their targets.
  void SetReferName(const char*) {}
  const char* GetReferName() const { return nullptr; }

  unsigned long count;
  unsigned char released;

 private:
  // Whether the constructor counted this target as live, so the destructor
  // balances the count even when the debug flag changed in between.
  bool counted_;
};

}  // namespace Frx
