// ISavoraPlayer by dispatch id: how scripts and the property bag reach the
// control. Arguments are converted to each member's types as automation
// does, so a page may pass every value as text.
#include <cstring>

#include "Lumacet/CSavoraPlayer.h"

namespace {

struct Member {
  const char16_t* name;
  DISPID id;
};

constexpr Member Members[] = {
    {u"Mode", DISPID_PLAYER_MODE},
    {u"Pause", DISPID_PLAYER_PAUSE},
    {u"Play", DISPID_PLAYER_PLAY},
    {u"Import", DISPID_PLAYER_IMPORT},
    {u"SetMotion", DISPID_PLAYER_SETMOTION},
    {u"Width", DISPID_PLAYER_WIDTH},
    {u"Height", DISPID_PLAYER_HEIGHT},
    {u"BalloonWidth", DISPID_PLAYER_BALLOONWIDTH},
    {u"BalloonHeight", DISPID_PLAYER_BALLOONHEIGHT},
    {u"Word", DISPID_PLAYER_WORD},
    {u"Message", DISPID_PLAYER_MESSAGE},
    {u"px", DISPID_PLAYER_PX},
    {u"py", DISPID_PLAYER_PY},
    {u"SetViewRotate", DISPID_PLAYER_SETVIEWROTATE},
    {u"SetViewScale", DISPID_PLAYER_SETVIEWSCALE},
    {u"SetViewLookAt", DISPID_PLAYER_SETVIEWLOOKAT},
    {u"BgColor", DISPID_PLAYER_BGCOLOR},
    {u"RenderMode", DISPID_PLAYER_RENDERMODE},
    {u"CellEdgeSize", DISPID_PLAYER_CELLEDGESIZE},
};

bool SameName(const char16_t* a, const char16_t* b) {
  for (;; ++a, ++b) {
    char16_t x = *a, y = *b;
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x - u'A' + u'a');
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y - u'A' + u'a');
    if (x != y) return false;
    if (!x) return true;
  }
}

// The call's arguments in their written order, each converted.
class Arguments {
 public:
  explicit Arguments(const DISPPARAMS& params) : args_(params.args) {}
  size_t Count() const { return args_.size(); }
  HRESULT Get(size_t i, VARTYPE vt, VARIANT* out) const {
    return VariantChangeType(out, &args_[args_.size() - 1 - i], vt);
  }

 private:
  const std::vector<VARIANT>& args_;
};

}  // namespace

HRESULT CSavoraPlayer::GetIDsOfNames(const char16_t* name, DISPID* id) {
  if (!name || !id) return E_POINTER;
  for (const Member& m : Members)
    if (SameName(m.name, name)) {
      *id = m.id;
      return S_OK;
    }
  return DISP_E_UNKNOWNNAME;
}

HRESULT CSavoraPlayer::Invoke(DISPID id, uint16_t flags, const DISPPARAMS& params, VARIANT* result) {
  const Arguments args(params);
  const bool get = (flags & DISPATCH_PROPERTYGET) && args.Count() == 0;
  const bool put = (flags & DISPATCH_PROPERTYPUT) && args.Count() == 1;
  VARIANT value, a, b, c;
  auto answer = [&](VARIANT v) {
    if (result) *result = std::move(v);
    return S_OK;
  };
  // A property of one kind: its get, or its put of the converted value.
  auto property = [&](VARTYPE vt, auto getter, auto putter) -> HRESULT {
    if (get) {
      HRESULT hr = getter(&value);
      value.vt = vt;
      return FAILED(hr) ? hr : answer(value);
    }
    if (!put) return (flags & (DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT)) ? DISP_E_BADPARAMCOUNT
                                                                             : DISP_E_MEMBERNOTFOUND;
    if (HRESULT hr = args.Get(0, vt, &a); FAILED(hr)) return hr;
    return putter(a);
  };
  auto intProperty = [&](HRESULT (CSavoraPlayer::*getter)(int32_t*), HRESULT (CSavoraPlayer::*putter)(int32_t)) {
    return property(
        VT_I4, [&](VARIANT* v) { return (this->*getter)(&v->lVal); },
        [&](const VARIANT& v) { return (this->*putter)(v.lVal); });
  };
  auto textProperty = [&](HRESULT (CSavoraPlayer::*getter)(std::u16string*),
                          HRESULT (CSavoraPlayer::*putter)(const char16_t*)) {
    return property(
        VT_BSTR, [&](VARIANT* v) { return (this->*getter)(&v->bstrVal); },
        [&](const VARIANT& v) { return (this->*putter)(v.bstrVal.c_str()); });
  };
  // A method of n arguments of one kind.
  auto method = [&](size_t n, VARTYPE vt) -> HRESULT {
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (args.Count() != n) return DISP_E_BADPARAMCOUNT;
    VARIANT* out[] = {&a, &b, &c};
    for (size_t i = 0; i < n; ++i)
      if (HRESULT hr = args.Get(i, vt, out[i]); FAILED(hr)) return hr;
    if (result) *result = VARIANT();
    return S_OK;
  };
  HRESULT hr;
  switch (id) {
    case DISPID_PLAYER_MODE: return textProperty(&CSavoraPlayer::get_Mode, &CSavoraPlayer::put_Mode);
    case DISPID_PLAYER_PAUSE: return FAILED(hr = method(0, VT_EMPTY)) ? hr : Pause();
    case DISPID_PLAYER_PLAY: return FAILED(hr = method(0, VT_EMPTY)) ? hr : Play();
    case DISPID_PLAYER_IMPORT: return FAILED(hr = method(1, VT_BSTR)) ? hr : Import(a.bstrVal.c_str());
    case DISPID_PLAYER_SETMOTION: return FAILED(hr = method(1, VT_BSTR)) ? hr : SetMotion(a.bstrVal.c_str());
    case DISPID_PLAYER_WIDTH: return intProperty(&CSavoraPlayer::get_Width, &CSavoraPlayer::put_Width);
    case DISPID_PLAYER_HEIGHT: return intProperty(&CSavoraPlayer::get_Height, &CSavoraPlayer::put_Height);
    case DISPID_PLAYER_BALLOONWIDTH:
      return intProperty(&CSavoraPlayer::get_BalloonWidth, &CSavoraPlayer::put_BalloonWidth);
    case DISPID_PLAYER_BALLOONHEIGHT:
      return intProperty(&CSavoraPlayer::get_BalloonHeight, &CSavoraPlayer::put_BalloonHeight);
    case DISPID_PLAYER_WORD: return FAILED(hr = method(1, VT_BSTR)) ? hr : Word(a.bstrVal.c_str());
    case DISPID_PLAYER_MESSAGE: return FAILED(hr = method(1, VT_BSTR)) ? hr : Message(a.bstrVal.c_str());
    case DISPID_PLAYER_PX: return intProperty(&CSavoraPlayer::get_px, &CSavoraPlayer::put_px);
    case DISPID_PLAYER_PY: return intProperty(&CSavoraPlayer::get_py, &CSavoraPlayer::put_py);
    case DISPID_PLAYER_SETVIEWROTATE:
      return FAILED(hr = method(3, VT_R4)) ? hr : SetViewRotate(a.fltVal, b.fltVal, c.fltVal);
    case DISPID_PLAYER_SETVIEWSCALE: return FAILED(hr = method(1, VT_R4)) ? hr : SetViewScale(a.fltVal);
    case DISPID_PLAYER_SETVIEWLOOKAT:
      return FAILED(hr = method(3, VT_R4)) ? hr : SetViewLookAt(a.fltVal, b.fltVal, c.fltVal);
    case DISPID_PLAYER_BGCOLOR:
      return property(
          VT_UI4, [&](VARIANT* v) { return get_BgColor(&v->ulVal); },
          [&](const VARIANT& v) { return put_BgColor(v.ulVal); });
    case DISPID_PLAYER_RENDERMODE:
      return textProperty(&CSavoraPlayer::get_RenderMode, &CSavoraPlayer::put_RenderMode);
    case DISPID_PLAYER_CELLEDGESIZE:
      return property(
          VT_R4, [&](VARIANT* v) { return get_CellEdgeSize(&v->fltVal); },
          [&](const VARIANT& v) { return put_CellEdgeSize(v.fltVal); });
    default: return DISP_E_MEMBERNOTFOUND;
  }
}
