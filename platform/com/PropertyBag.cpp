#include "platform/com/PropertyBag.h"

namespace Com {

HRESULT PropertyBag::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IPropertyBag) return E_NOINTERFACE;
  *out = static_cast<IPropertyBag*>(this);
  AddRef();
  return S_OK;
}

HRESULT PropertyBag::Read(const char16_t* name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  for (const Entry& e : entries_) {
    if (e.first != name) continue;
    if (value->vt == VT_EMPTY) {
      *value = e.second;
      return S_OK;
    }
    return VariantChangeType(value, &e.second, value->vt);
  }
  return E_INVALIDARG;
}

HRESULT PropertyBag::Write(const char16_t* name, const VARIANT& value) {
  if (!name) return E_POINTER;
  for (Entry& e : entries_)
    if (e.first == name) {
      e.second = value;
      return S_OK;
    }
  entries_.emplace_back(name, value);
  return S_OK;
}

}  // namespace Com
