// Persistence of a control's properties by name: the container hands the
// control a property bag to read its saved values from, or to write them to.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

class IPropertyBag : public IUnknown {
 public:
  // value->vt on entry is the kind wanted (VT_EMPTY: as stored); the stored
  // value is converted to it. E_INVALIDARG when no such property is stored.
  virtual HRESULT Read(const char16_t* name, VARIANT* value) = 0;
  virtual HRESULT Write(const char16_t* name, const VARIANT& value) = 0;

 protected:
  ~IPropertyBag() = default;
};

class IPersistPropertyBag : public IUnknown {
 public:
  // Every property to its initial value.
  virtual HRESULT InitNew() = 0;
  // Properties the bag lacks keep their values.
  virtual HRESULT Load(IPropertyBag* bag) = 0;
  virtual HRESULT Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) = 0;

 protected:
  ~IPersistPropertyBag() = default;
};

namespace Com {

// A bag in memory that keeps the properties in the order first written (a
// second write replaces the value in place). Its owner keeps it alive:
// AddRef and Release only count.
class PropertyBag final : public IPropertyBag {
 public:
  using Entry = std::pair<std::u16string, VARIANT>;

  HRESULT QueryInterface(REFIID iid, void** out) override;
  unsigned long AddRef() override { return ++refs_; }
  unsigned long Release() override { return --refs_; }
  HRESULT Read(const char16_t* name, VARIANT* value) override;
  HRESULT Write(const char16_t* name, const VARIANT& value) override;

  const std::vector<Entry>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  std::vector<Entry> entries_;
  unsigned long refs_ = 1;
};

}  // namespace Com
