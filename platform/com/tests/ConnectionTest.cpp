// Event sinks on a connection point: advise order, unadvise, and sinks that
// come and go while an event is being fired.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/com/ConnectionPoint.h"
#include "platform/com/Unknown.h"

namespace {

constexpr IID IID_ITestEvents = {0x0C596208, 0xC14A, 0x45F3, {0xB7, 0xB9, 0xD1, 0x4A, 0x5F, 0x4D, 0x99, 0x04}};

// Counts references of the container the point lives in.
class Container final : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
  unsigned long AddRef() override { return ++refs; }
  unsigned long Release() override { return --refs; }
  unsigned long refs = 1;
};

class Sink final : public IDispatch {
 public:
  Sink(std::string name, std::vector<std::string>* log, bool dispatchOnly = false)
      : name_(std::move(name)), log_(log), dispatchOnly_(dispatchOnly) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_ITestEvents && dispatchOnly_) return E_NOINTERFACE;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_ITestEvents) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  unsigned long AddRef() override { return ++refs; }
  unsigned long Release() override { return --refs; }
  HRESULT GetIDsOfNames(const char16_t*, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT Invoke(DISPID id, uint16_t flags, const DISPPARAMS& params, VARIANT*) override {
    log_->push_back(name_ + ":" + std::to_string(id) + ":" + std::to_string(flags) + ":" +
                    std::to_string(params.args.empty() ? -1 : params.args[0].lVal));
    if (onCall) onCall();
    return S_OK;
  }
  unsigned long refs = 1;
  std::function<void()> onCall;

 private:
  std::string name_;
  std::vector<std::string>* log_;
  bool dispatchOnly_;
};

class Mute final : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID, void** out) override { return *out = nullptr, E_NOINTERFACE; }
  unsigned long AddRef() override { return 2; }
  unsigned long Release() override { return 1; }
};

TEST(ComConnectionPoint, FiresInAdviseOrderAndStopsAfterUnadvise) {
  Container container;
  std::vector<std::string> log;
  Sink a("a", &log), b("b", &log, /*dispatchOnly=*/true), c("c", &log);
  uint32_t ca = 0, cb = 0, cc = 0;
  {
    Com::ConnectionPoint point(&container, IID_ITestEvents);
    IID iid{};
    ASSERT_EQ(point.GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(iid == IID_ITestEvents);
    ASSERT_EQ(point.Advise(&c, &cc), S_OK);
    ASSERT_EQ(point.Advise(&a, &ca), S_OK);
    ASSERT_EQ(point.Advise(&b, &cb), S_OK) << "IDispatch is enough";
    EXPECT_TRUE(ca && cb && cc && ca != cb && cb != cc && ca != cc);
    EXPECT_EQ(a.refs, 2u);
    Mute mute;
    uint32_t none = 7;
    EXPECT_EQ(point.Advise(&mute, &none), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(none, 0u);

    DISPPARAMS params;
    params.args = {VARIANT::I4(5)};
    point.Fire(2, params);
    EXPECT_EQ(log, (std::vector<std::string>{"c:2:1:5", "a:2:1:5", "b:2:1:5"}));

    log.clear();
    EXPECT_EQ(point.Unadvise(ca), S_OK);
    EXPECT_EQ(a.refs, 1u);
    EXPECT_EQ(point.Unadvise(ca), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point.Unadvise(0), CONNECT_E_NOCONNECTION);
    point.Fire(1, DISPPARAMS{});
    EXPECT_EQ(log, (std::vector<std::string>{"c:1:1:-1", "b:1:1:-1"}));

    // During a firing: c unadvises b (skipped) and advises a (not called this time).
    log.clear();
    c.onCall = [&] {
      point.Unadvise(cb);
      uint32_t again = 0;
      point.Advise(&a, &again);
      EXPECT_GT(again, cc) << "cookies are not reused";
      c.onCall = nullptr;
    };
    point.Fire(1, DISPPARAMS{});
    EXPECT_EQ(log, (std::vector<std::string>{"c:1:1:-1"}));
    EXPECT_EQ(point.Count(), 2u);
  }
  EXPECT_EQ(a.refs, 1u) << "the point releases its sinks when it goes";
  EXPECT_EQ(c.refs, 1u);
  EXPECT_EQ(b.refs, 1u);
  EXPECT_EQ(container.refs, 1u);
}

}  // namespace
