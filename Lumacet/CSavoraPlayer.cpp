#include "Lumacet/CSavoraPlayer.h"

#include <new>

#include "ferrox/ferrox/Ferrox.h"
#include "platform/com/ComString.h"

namespace {

PlayerLoop::Clock theClock;

IUnknown* Identity(CSavoraPlayer* player) { return static_cast<ISavoraPlayer*>(player); }

}  // namespace

HRESULT CSavoraPlayer::Create(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* player = new (std::nothrow) CSavoraPlayer();
  if (!player) return E_OUTOFMEMORY;
  const HRESULT hr = player->QueryInterface(iid, out);
  player->Release();
  return hr;
}

void CSavoraPlayer::SetClock(PlayerLoop::Clock clock) { theClock = std::move(clock); }

CSavoraPlayer::CSavoraPlayer()
    : events_(Identity(this), DIID__ISavoraPlayerEvents), loop_(static_cast<PlayerLoop::Events*>(this), theClock) {
  Com::ModuleLock();
  SetDefaults();
  loop_.SetClientSize(extentX_, extentY_);
}

CSavoraPlayer::~CSavoraPlayer() {
  // The engine goes with the control whether or not it ever had a window.
  window_.reset();
  events_.Clear();
  Com::ModuleUnlock();
}

void CSavoraPlayer::SetDefaults() {
  loop_.mode = PlayerLoop::ModeFrame;
  loop_.background = 0x7F;
  loop_.celMode = 0;
  loop_.celEdgeSize = 0.0f;
  loop_.width = loop_.height = -1;
  loop_.balloonWidth = loop_.balloonHeight = 100;
}

HRESULT CSavoraPlayer::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_ISavoraPlayer)
    *out = static_cast<ISavoraPlayer*>(this);
  else if (iid == IID_IConnectionPointContainer)
    *out = static_cast<IConnectionPointContainer*>(this);
  else if (iid == IID_IPersistPropertyBag)
    *out = static_cast<IPersistPropertyBag*>(this);
  else if (iid == IID_IOleControlWindow)
    *out = static_cast<IOleControlWindow*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

unsigned long CSavoraPlayer::AddRef() { return ++refs_; }

unsigned long CSavoraPlayer::Release() {
  const unsigned long n = --refs_;
  if (n == 0) delete this;
  return n;
}

HRESULT CSavoraPlayer::get_Mode(std::u16string* mode) {
  if (!mode) return E_POINTER;
  switch (loop_.mode) {
    case PlayerLoop::ModeFrame: *mode = u"Frame"; break;
    case PlayerLoop::ModeSprite: *mode = u"Sprite"; break;
    case PlayerLoop::ModeBorderless: *mode = u"Borderless"; break;
    default: *mode = u"Unknown"; break;
  }
  return S_OK;
}

HRESULT CSavoraPlayer::put_Mode(const char16_t* mode) {
  const std::u16string text = mode ? mode : u"";
  if (text == u"Frame") {
    loop_.mode = PlayerLoop::ModeFrame;
  } else if (text == u"Sprite") {
    loop_.mode = PlayerLoop::ModeSprite;
  } else if (text == u"Borderless") {
    loop_.mode = PlayerLoop::ModeBorderless;
  } else {
    loop_.mode = PlayerLoop::ModeUnknown;
    Frx::theFerrox.Error("対応していないモードが指定されました。");
  }
  return S_OK;
}

HRESULT CSavoraPlayer::Pause() {
  loop_.playing = 0;
  return S_OK;
}

HRESULT CSavoraPlayer::Play() {
  loop_.playing = 1;
  return S_OK;
}

HRESULT CSavoraPlayer::Import(const char16_t* text) {
  AddRef();  // the import may run a modal report
  loop_.Import(Com::ToSjis(text).c_str());
  Release();
  return S_OK;
}

HRESULT CSavoraPlayer::SetMotion(const char16_t* name) {
  loop_.SetMotion(Com::ToSjis(name).c_str());
  return S_OK;
}

namespace {

HRESULT Get(int32_t* out, int32_t value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

// A size the device cannot make: refused, the old one stays.
HRESULT RefuseSize(const char* name, int32_t value) {
  Frx::theFerrox.Log("作成できない大きさが指定されました。\n %s = %d\n", name, static_cast<int>(value));
  return E_INVALIDARG;
}

}  // namespace

HRESULT CSavoraPlayer::get_Width(int32_t* value) { return Get(value, loop_.width); }
HRESULT CSavoraPlayer::put_Width(int32_t value) {
  if (!loop_.CanDraw(value, 0)) return RefuseSize("Width", value);
  return loop_.width = value, S_OK;
}
HRESULT CSavoraPlayer::get_Height(int32_t* value) { return Get(value, loop_.height); }
HRESULT CSavoraPlayer::put_Height(int32_t value) {
  if (!loop_.CanDraw(0, value)) return RefuseSize("Height", value);
  return loop_.height = value, S_OK;
}
HRESULT CSavoraPlayer::get_BalloonWidth(int32_t* value) { return Get(value, loop_.balloonWidth); }
HRESULT CSavoraPlayer::put_BalloonWidth(int32_t value) { return loop_.balloonWidth = value, S_OK; }
HRESULT CSavoraPlayer::get_BalloonHeight(int32_t* value) { return Get(value, loop_.balloonHeight); }
HRESULT CSavoraPlayer::put_BalloonHeight(int32_t value) { return loop_.balloonHeight = value, S_OK; }
HRESULT CSavoraPlayer::Word(const char16_t*) { return S_OK; }
HRESULT CSavoraPlayer::Message(const char16_t*) { return S_OK; }
HRESULT CSavoraPlayer::get_px(int32_t* value) { return Get(value, loop_.px); }
HRESULT CSavoraPlayer::put_px(int32_t value) { return loop_.px = value, S_OK; }
HRESULT CSavoraPlayer::get_py(int32_t* value) { return Get(value, loop_.py); }
HRESULT CSavoraPlayer::put_py(int32_t value) { return loop_.py = value, S_OK; }

HRESULT CSavoraPlayer::SetViewRotate(float p, float b, float h) {
  loop_.viewP = p, loop_.viewB = b, loop_.viewH = h;
  return S_OK;
}

HRESULT CSavoraPlayer::SetViewScale(float scale) {
  loop_.viewScale = scale;
  return S_OK;
}

HRESULT CSavoraPlayer::SetViewLookAt(float x, float y, float z) {
  loop_.lookX = x, loop_.lookY = y, loop_.lookZ = z;
  return S_OK;
}

HRESULT CSavoraPlayer::get_BgColor(OLE_COLOR* colour) {
  if (!colour) return E_POINTER;
  *colour = loop_.background;
  return S_OK;
}

HRESULT CSavoraPlayer::put_BgColor(OLE_COLOR colour) {
  loop_.background = colour;
  return S_OK;
}

HRESULT CSavoraPlayer::get_RenderMode(std::u16string* mode) {
  if (!mode) return E_POINTER;
  *mode = loop_.celMode == 1 ? u"Cell" : u"Unknown";
  return S_OK;
}

HRESULT CSavoraPlayer::put_RenderMode(const char16_t* mode) {
  loop_.celMode = mode && std::u16string(mode) == u"Cell" ? 1 : 0;
  return S_OK;
}

HRESULT CSavoraPlayer::get_CellEdgeSize(float* size) {
  if (!size) return E_POINTER;
  *size = loop_.celEdgeSize;
  return S_OK;
}

HRESULT CSavoraPlayer::put_CellEdgeSize(float size) {
  loop_.celEdgeSize = size;
  return S_OK;
}

HRESULT CSavoraPlayer::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != DIID__ISavoraPlayerEvents) return CONNECT_E_NOCONNECTION;
  *point = &events_;
  events_.AddRef();
  return S_OK;
}

void CSavoraPlayer::ClickIn(int x, int y) {
  DISPPARAMS params;
  params.args = {VARIANT::I4(y), VARIANT::I4(x)};
  events_.Fire(DISPID_PLAYER_CLICKIN, params);
}

void CSavoraPlayer::MotionPeriod(const char* motion, int isend, int loopcount) {
  DISPPARAMS params;
  params.args = {VARIANT::I4(loopcount), VARIANT::I4(isend), VARIANT::Bstr(Com::FromSjis(motion ? motion : ""))};
  events_.Fire(DISPID_PLAYER_MOTIONPERIOD, params);
}

void CSavoraPlayer::OnTimer() {
  // A sink may release the control from an event; it lives to the tick's end.
  AddRef();
  if (loop_.playing == 1 && window_) window_->BeforeTick();
  loop_.Tick();
  Release();
}

void CSavoraPlayer::OnClick(int x, int y) {
  AddRef();
  loop_.Click(x, y);
  Release();
}

HRESULT CSavoraPlayer::SetExtent(int32_t cx, int32_t cy) {
  if (cx <= 0 || cy <= 0) return E_INVALIDARG;
  if (!loop_.CanDraw(cx, 0)) return RefuseSize("_cx", cx);
  if (!loop_.CanDraw(0, cy)) return RefuseSize("_cy", cy);
  extentX_ = cx, extentY_ = cy;
  if (window_) window_->Resize(cx, cy);
  else loop_.SetClientSize(cx, cy);
  return S_OK;
}

HRESULT CSavoraPlayer::GetExtent(int32_t* cx, int32_t* cy) {
  if (!cx || !cy) return E_POINTER;
  *cx = extentX_, *cy = extentY_;
  return S_OK;
}

HRESULT CSavoraPlayer::CreateControlWindow(void* parent, int32_t x, int32_t y) {
  if (window_) return E_UNEXPECTED;
  window_ = PlayerWindow::Create(parent, x, y, extentX_, extentY_, loop_, *this);
  return window_ ? S_OK : E_FAIL;
}

HRESULT CSavoraPlayer::DestroyControlWindow() {
  if (!window_) return S_FALSE;
  window_.reset();
  return S_OK;
}

HRESULT CSavoraPlayer::GetControlWindow(void** window) {
  if (!window) return E_POINTER;
  *window = window_ ? window_->ControlWidget() : nullptr;
  return S_OK;
}
