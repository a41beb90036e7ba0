// Event sinks: a container finds a control's connection point for an event
// interface and advises its sink there; the control fires each event to every
// sink in the order they were advised.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/com/Dispatch.h"

class IConnectionPoint : public IUnknown {
 public:
  virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  // The sink is queried for the event interface (or IDispatch) and held until
  // Unadvise; *cookie names the connection (never 0).
  virtual HRESULT Advise(IUnknown* sink, uint32_t* cookie) = 0;
  // CONNECT_E_NOCONNECTION for a cookie that names no connection.
  virtual HRESULT Unadvise(uint32_t cookie) = 0;

 protected:
  ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown {
 public:
  // CONNECT_E_NOCONNECTION when the object fires no such events.
  virtual HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

namespace Com {

// A connection point that lives inside its container object: its references
// are the container's, and the container clears it before it goes.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IUnknown* container, const IID& events) : container_(container), events_(events) {}
  ~ConnectionPoint() { Clear(); }
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  HRESULT QueryInterface(REFIID iid, void** out) override;
  unsigned long AddRef() override { return container_->AddRef(); }
  unsigned long Release() override { return container_->Release(); }
  HRESULT GetConnectionInterface(IID* iid) override;
  HRESULT Advise(IUnknown* sink, uint32_t* cookie) override;
  HRESULT Unadvise(uint32_t cookie) override;

  // Invokes the event on every sink in advise order (DISPATCH_METHOD). A sink
  // may advise or unadvise while it is called: sinks advised during the call
  // miss this event, sinks unadvised before their turn are skipped.
  void Fire(DISPID id, const DISPPARAMS& params);
  // Releases every sink.
  void Clear();
  size_t Count() const { return sinks_.size(); }

 private:
  struct Sink {
    uint32_t cookie;
    IDispatch* dispatch;
  };
  IUnknown* container_;
  IID events_;
  std::vector<Sink> sinks_;
  uint32_t nextCookie_ = 1;
};

}  // namespace Com
