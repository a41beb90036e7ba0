#include "platform/com/ConnectionPoint.h"

namespace Com {

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = events_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, uint32_t* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  void* found = nullptr;
  if (FAILED(sink->QueryInterface(events_, &found)) || !found) {
    found = nullptr;
    if (FAILED(sink->QueryInterface(IID_IDispatch, &found)) || !found) return CONNECT_E_CANNOTCONNECT;
  }
  // Cookies are not reused, so a stale one can never name a new connection.
  if (nextCookie_ == 0) ++nextCookie_;
  sinks_.push_back({nextCookie_, static_cast<IDispatch*>(found)});
  *cookie = nextCookie_++;
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(uint32_t cookie) {
  for (auto i = sinks_.begin(); i != sinks_.end(); ++i) {
    if (i->cookie != cookie) continue;
    IDispatch* sink = i->dispatch;
    sinks_.erase(i);
    sink->Release();
    return S_OK;
  }
  return CONNECT_E_NOCONNECTION;
}

void ConnectionPoint::Fire(DISPID id, const DISPPARAMS& params) {
  // The sinks of this moment, each held for its call.
  std::vector<Sink> now = sinks_;
  for (const Sink& s : now) s.dispatch->AddRef();
  for (const Sink& s : now) {
    bool advised = false;
    for (const Sink& t : sinks_) advised = advised || t.cookie == s.cookie;
    if (advised) s.dispatch->Invoke(id, DISPATCH_METHOD, params, nullptr);
  }
  for (const Sink& s : now) s.dispatch->Release();
}

void ConnectionPoint::Clear() {
  std::vector<Sink> old;
  old.swap(sinks_);
  for (const Sink& s : old) s.dispatch->Release();
}

}  // namespace Com
