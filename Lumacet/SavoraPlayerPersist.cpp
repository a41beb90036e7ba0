// The persisted properties, in their order: the extent, then the properties
// read and written through the dispatch interface (so loading Mode runs
// put_Mode, with its check).
#include "Lumacet/CSavoraPlayer.h"
#include "ferrox/ferrox/Ferrox.h"
#include "platform/com/ComString.h"

namespace {

struct Persisted {
  const char16_t* name;
  DISPID id;
  VARTYPE vt;
};

constexpr Persisted Properties[] = {
    {u"Mode", DISPID_PLAYER_MODE, VT_BSTR},
    {u"Width", DISPID_PLAYER_WIDTH, VT_I4},
    {u"Height", DISPID_PLAYER_HEIGHT, VT_I4},
    {u"BalloonWidth", DISPID_PLAYER_BALLOONWIDTH, VT_I4},
    {u"BalloonHeight", DISPID_PLAYER_BALLOONHEIGHT, VT_I4},
    {u"BgColor", DISPID_PLAYER_BGCOLOR, VT_UI4},
    {u"RenderMode", DISPID_PLAYER_RENDERMODE, VT_BSTR},
    {u"CellEdgeSize", DISPID_PLAYER_CELLEDGESIZE, VT_R4},
};

}  // namespace

HRESULT CSavoraPlayer::InitNew() {
  SetDefaults();
  return S_OK;
}

HRESULT CSavoraPlayer::Load(IPropertyBag* bag) {
  if (!bag) return E_POINTER;
  // The extent ("_cx", "_cy", pixels); a part that is missing or unusable
  // (SetExtent refuses it) keeps its value.
  VARIANT cx = VARIANT::UI4(0), cy = VARIANT::UI4(0);
  if (SUCCEEDED(bag->Read(u"_cx", &cx)) && cx.ulVal > 0 && cx.ulVal <= 0x7FFFFFFF)
    SetExtent(static_cast<int32_t>(cx.ulVal), extentY_);
  if (SUCCEEDED(bag->Read(u"_cy", &cy)) && cy.ulVal > 0 && cy.ulVal <= 0x7FFFFFFF)
    SetExtent(extentX_, static_cast<int32_t>(cy.ulVal));
  for (const Persisted& p : Properties) {
    VARIANT value;
    value.vt = p.vt;
    const HRESULT read = bag->Read(p.name, &value);
    if (read == E_INVALIDARG) continue;  // not saved: the property keeps its value
    if (FAILED(read)) {
      // A value that is not of the property's kind is skipped, the others still load.
      Frx::theFerrox.Log("%s(%d) :step\n", __FILE_NAME__, __LINE__);
      continue;
    }
    DISPPARAMS params;
    params.args = {value};
    Invoke(p.id, DISPATCH_PROPERTYPUT, params, nullptr);
  }
  return S_OK;
}

HRESULT CSavoraPlayer::Save(IPropertyBag* bag, BOOL, BOOL) {
  if (!bag) return E_POINTER;
  HRESULT hr = bag->Write(u"_cx", VARIANT::UI4(static_cast<uint32_t>(extentX_)));
  if (SUCCEEDED(hr)) hr = bag->Write(u"_cy", VARIANT::UI4(static_cast<uint32_t>(extentY_)));
  for (const Persisted& p : Properties) {
    if (FAILED(hr)) return hr;
    VARIANT value;
    hr = Invoke(p.id, DISPATCH_PROPERTYGET, DISPPARAMS{}, &value);
    if (SUCCEEDED(hr)) hr = bag->Write(p.name, value);
  }
  return hr;
}
