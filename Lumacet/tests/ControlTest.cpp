// The control through its interfaces: defaults, every property both ways
// (vtable and dispatch), the checks of Mode and RenderMode, persistence,
// sinks in advise order, SetMotion, and the engine's life with the control.
#include <functional>

#include "PlayerTesting.h"
#include "Lumacet/PlayerEngine.h"
#include "platform/com/ComString.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using lumatest::Player;

// A property read through dispatch, as text.
std::string Get(ISavoraPlayer* p, const char16_t* name) {
  DISPID id = 0;
  VARIANT v, text;
  if (FAILED(p->GetIDsOfNames(name, &id)) || FAILED(p->Invoke(id, DISPATCH_PROPERTYGET, DISPPARAMS{}, &v)) ||
      FAILED(VariantChangeType(&text, &v, VT_BSTR)))
    return "<failed>";
  return Com::ToUtf8(text.bstrVal);
}

HRESULT Put(ISavoraPlayer* p, const char16_t* name, VARIANT value) {
  DISPID id = 0;
  HRESULT hr = p->GetIDsOfNames(name, &id);
  DISPPARAMS params;
  params.args = {std::move(value)};
  return FAILED(hr) ? hr : p->Invoke(id, DISPATCH_PROPERTYPUT, params, nullptr);
}

const char16_t* const Persisted[] = {u"_cx",           u"_cy",     u"Mode",       u"Width",       u"Height",
                                     u"BalloonWidth", u"BalloonHeight", u"BgColor", u"RenderMode", u"CellEdgeSize"};

TEST(SavoraPlayer, DefaultsAndEveryPropertyBothWays) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Player p;
  const std::vector<std::pair<const char16_t*, std::string>> defaults = {
      {u"Mode", "Frame"}, {u"Width", "-1"},        {u"Height", "-1"},     {u"BalloonWidth", "100"},
      {u"BalloonHeight", "100"}, {u"px", "0"},     {u"py", "0"},          {u"BgColor", "127"},
      {u"RenderMode", "Unknown"}, {u"CellEdgeSize", "0"}};
  for (const auto& [name, want] : defaults) EXPECT_EQ(Get(p.get(), name), want) << Com::ToUtf8(name);
  const PlayerLoop& loop = p.Loop();
  EXPECT_EQ(loop.playing, 0);
  EXPECT_FLOAT_EQ(loop.viewP, 0.3f);
  EXPECT_EQ(loop.viewH, 0.0f);
  EXPECT_EQ(loop.viewScale, 1.0f);
  EXPECT_EQ(loop.viewDistance, 600.0f);
  EXPECT_EQ(loop.time, 0.0f);
  EXPECT_EQ(loop.loopCount, 0);

  // Put through the vtable, read through dispatch; then the other way.
  struct Case {
    const char16_t* name;
    std::function<void()> put;
    std::string want;
    VARIANT viaDispatch;
    std::function<std::string()> get;
  };
  auto text = [&](HRESULT (ISavoraPlayer::*g)(std::u16string*)) {
    return [&p, g] {
      std::u16string s;
      (p.get()->*g)(&s);
      return Com::ToUtf8(s);
    };
  };
  auto number = [&](HRESULT (ISavoraPlayer::*g)(int32_t*)) {
    return [&p, g] {
      int32_t v = 0;
      (p.get()->*g)(&v);
      return std::to_string(v);
    };
  };
  const Case cases[] = {
      {u"Mode", [&] { p->put_Mode(u"Sprite"); }, "Sprite", VARIANT::Bstr(u"Borderless"), text(&ISavoraPlayer::get_Mode)},
      {u"Width", [&] { p->put_Width(320); }, "320", VARIANT::Bstr(u"48"), number(&ISavoraPlayer::get_Width)},
      {u"Height", [&] { p->put_Height(200); }, "200", VARIANT::I4(-1), number(&ISavoraPlayer::get_Height)},
      {u"BalloonWidth", [&] { p->put_BalloonWidth(7); }, "7", VARIANT::I4(8), number(&ISavoraPlayer::get_BalloonWidth)},
      {u"BalloonHeight", [&] { p->put_BalloonHeight(9); }, "9", VARIANT::R4(10.4f),
       number(&ISavoraPlayer::get_BalloonHeight)},
      {u"px", [&] { p->put_px(-30); }, "-30", VARIANT::Bstr(u"31"), number(&ISavoraPlayer::get_px)},
      {u"py", [&] { p->put_py(40); }, "40", VARIANT::I4(41), number(&ISavoraPlayer::get_py)},
      {u"bgcolor", [&] { p->put_BgColor(0xFF336699u); }, "4281558681", VARIANT::Bstr(u"255"),
       [&] {
         OLE_COLOR c = 0;
         p->get_BgColor(&c);
         return std::to_string(c);
       }},
      {u"RenderMode", [&] { p->put_RenderMode(u"Cell"); }, "Cell", VARIANT::Bstr(u"cell"),
       text(&ISavoraPlayer::get_RenderMode)},
      {u"CellEdgeSize", [&] { p->put_CellEdgeSize(1.5f); }, "1.5", VARIANT::Bstr(u"0.25"),
       [&] {
         float f = 0;
         p->get_CellEdgeSize(&f);
         return std::to_string(f);
       }},
  };
  const std::string backs[] = {"Borderless", "48", "-1", "8", "10", "31", "41", "255", "Unknown", "0.250000"};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    c.put();
    EXPECT_EQ(Get(p.get(), c.name), c.want) << Com::ToUtf8(c.name);
    EXPECT_EQ(Put(p.get(), c.name, c.viaDispatch), S_OK) << Com::ToUtf8(c.name);
    EXPECT_EQ(c.get(), backs[i]) << Com::ToUtf8(c.name);
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

  // The checks: exact, case-sensitive names.
  EXPECT_EQ(p->put_Mode(u"sprite"), S_OK);
  EXPECT_EQ(Get(p.get(), u"Mode"), "Unknown");
  EXPECT_EQ(p.Loop().mode, PlayerLoop::ModeUnknown);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Texts()[0], "対応していないモードが指定されました。");

  // Methods: view settings stored, Word and Message change nothing.
  EXPECT_EQ(p->SetViewRotate(10, 20, 30), S_OK);
  EXPECT_EQ(p->SetViewScale(2), S_OK);
  EXPECT_EQ(p->SetViewLookAt(1, 2, 3), S_OK);
  EXPECT_EQ(p->Play(), S_OK);
  EXPECT_EQ(p.Loop().playing, 1);
  Com::PropertyBag before, after;
  p.Query<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&before, TRUE, TRUE);
  EXPECT_EQ(p->Word(u"hello"), S_OK);
  EXPECT_EQ(p->Message(nullptr), S_OK);
  p.Query<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&after, TRUE, TRUE);
  EXPECT_TRUE(before.Entries() == after.Entries());
  p->Release(), p->Release();  // the two queries
  const PlayerLoop& l = p.Loop();
  EXPECT_EQ(std::vector<float>({l.viewP, l.viewB, l.viewH, l.viewScale, l.lookX, l.lookY, l.lookZ}),
            std::vector<float>({10, 20, 30, 2, 1, 2, 3}));
  EXPECT_EQ(p->Pause(), S_OK);
  EXPECT_EQ(p.Loop().playing, 0);

  // Calls that do not fit the member.
  DISPID id = 0;
  EXPECT_EQ(p->GetIDsOfNames(u"Volume", &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Put(p.get(), u"Width", VARIANT::Bstr(u"wide")), DISP_E_TYPEMISMATCH);
  DISPPARAMS two;
  two.args = {VARIANT::I4(1), VARIANT::I4(2)};
  EXPECT_EQ(p->Invoke(DISPID_PLAYER_SETVIEWSCALE, DISPATCH_METHOD, two, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(p->Invoke(17, DISPATCH_METHOD, DISPPARAMS{}, nullptr), DISP_E_MEMBERNOTFOUND);
  void* none = nullptr;
  EXPECT_EQ(p->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

TEST(SavoraPlayer, PersistsItsPropertiesInOrderAndLoadsThemBack) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Player p;
  IOleControlWindow* window = p.Query<IOleControlWindow>(IID_IOleControlWindow);
  window->SetExtent(400, 300);
  window->Release();
  p->put_Mode(u"Sprite"), p->put_Width(64), p->put_Height(48), p->put_BalloonWidth(5), p->put_BalloonHeight(6);
  p->put_BgColor(0x00ABCDEF), p->put_RenderMode(u"Cell"), p->put_CellEdgeSize(2.5f);
  Com::PropertyBag bag;
  IPersistPropertyBag* persist = p.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
  ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
  persist->Release();
  ASSERT_EQ(bag.Entries().size(), std::size(Persisted));
  for (size_t i = 0; i < std::size(Persisted); ++i) EXPECT_EQ(bag.Entries()[i].first, Persisted[i]);
  const std::vector<VARIANT> values = {VARIANT::UI4(400), VARIANT::UI4(300), VARIANT::Bstr(u"Sprite"),
                                       VARIANT::I4(64),   VARIANT::I4(48),   VARIANT::I4(5),
                                       VARIANT::I4(6),    VARIANT::UI4(0x00ABCDEF), VARIANT::Bstr(u"Cell"),
                                       VARIANT::R4(2.5f)};
  for (size_t i = 0; i < values.size(); ++i) EXPECT_TRUE(bag.Entries()[i].second == values[i]) << i;

  {
    Player again;
    IPersistPropertyBag* load = again.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    ASSERT_EQ(load->Load(&bag), S_OK);
    Com::PropertyBag saved;
    load->Save(&saved, TRUE, TRUE);
    load->Release();
    EXPECT_TRUE(saved.Entries() == bag.Entries());
  }
  {
    // A page's text values; a bad one is skipped, a missing one keeps its value,
    // and loading Mode runs its check.
    Com::PropertyBag page;
    page.Write(u"_cx", VARIANT::Bstr(u"200"));
    page.Write(u"Mode", VARIANT::Bstr(u"frame"));
    page.Write(u"Width", VARIANT::Bstr(u"wide"));
    page.Write(u"Height", VARIANT::Bstr(u"90"));
    page.Write(u"CellEdgeSize", VARIANT::Bstr(u"0.75"));
    Player loaded;
    IPersistPropertyBag* load = loaded.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    EXPECT_EQ(load->Load(&page), S_OK);
    load->Release();
    EXPECT_EQ(Get(loaded.get(), u"Mode"), "Unknown");
    EXPECT_TRUE(boxes.Saw("対応していないモードが指定されました。"));
    EXPECT_EQ(Get(loaded.get(), u"Width"), "-1");
    EXPECT_EQ(Get(loaded.get(), u"Height"), "90");
    EXPECT_EQ(Get(loaded.get(), u"CellEdgeSize"), "0.75");
    EXPECT_EQ(Get(loaded.get(), u"BalloonWidth"), "100");
    int32_t cx = 0, cy = 0;
    IOleControlWindow* w = loaded.Query<IOleControlWindow>(IID_IOleControlWindow);
    w->GetExtent(&cx, &cy);
    EXPECT_EQ(cx, 200);
    EXPECT_EQ(cy, CSavoraPlayer::DefaultHeight);
    EXPECT_EQ(w->SetExtent(0, 10), E_INVALIDARG);
    w->Release();
    EXPECT_EQ(loaded.Loop().AreaWidth(), 200) << "Width -1 takes the control's size";
  }
}

TEST(SavoraPlayer, FiresToEverySinkInAdviseOrderAndCountsMotionWraps) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  lumatest::TestClock clock;
  CSavoraPlayer::SetClock(clock.Function());
  std::vector<std::string> log;
  lumatest::RecordingSink a("a:", &log), b("b:", &log), c("c:", &log);
  {
    Player p;
    CSavoraPlayer::SetClock(nullptr);
    auto* container = p.Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(DIID__ISavoraPlayerEvents, &point), S_OK);
    container->Release();
    uint32_t ca = 0, cb = 0, cc = 0;
    point->Advise(&b, &cb), point->Advise(&a, &ca), point->Advise(&c, &cc);
    p.Loop().Click(12, 34);
    EXPECT_EQ(log, (std::vector<std::string>{"b:ClickIn 12 34", "a:ClickIn 12 34", "c:ClickIn 12 34"}));
    log.clear();
    EXPECT_EQ(point->Unadvise(ca), S_OK);
    p.Loop().Click(1, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"b:ClickIn 1 2", "c:ClickIn 1 2"}));

    // Motion wraps need a screen: the control's window in Frame mode.
    lumatest::ContainerPage page(200, 150);
    auto* window = p.Query<IOleControlWindow>(IID_IOleControlWindow);
    window->SetExtent(64, 48);
    ASSERT_EQ(window->CreateControlWindow(page.Widget(), 0, 0), S_OK);
    lumatest::MakeMotion(p.Loop(), "Wave", 3);
    EXPECT_EQ(p->SetMotion(u"wAVE"), S_OK);
    p->Play();
    log.clear();
    for (int i = 0; i < 3; ++i) lumatest::TickAfter(p.Loop(), clock, 50);
    EXPECT_EQ(p->SetMotion(u"WAVE"), S_OK);
    lumatest::TickAfter(p.Loop(), clock, 50);
    EXPECT_EQ(log, (std::vector<std::string>{"b:MotionPeriod Wave 1 0", "c:MotionPeriod Wave 1 0",
                                             "b:MotionPeriod Wave 2 0", "c:MotionPeriod Wave 2 0",
                                             "b:MotionPeriod Wave 3 0", "c:MotionPeriod Wave 3 0",
                                             "b:MotionPeriod Wave 1 0", "c:MotionPeriod Wave 1 0"}));
    EXPECT_EQ(window->DestroyControlWindow(), S_OK);
    EXPECT_EQ(window->DestroyControlWindow(), S_FALSE);
    window->Release();
    point->Release();
    EXPECT_EQ(b.References(), 1u);
  }
  EXPECT_EQ(b.References(), 0u) << "the control lets go of its sinks when it goes";
  EXPECT_EQ(c.References(), 0u);
}

TEST(SavoraPlayer, EachControlKeepsTheEngineUntilTheLastGoesWindowOrNot) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  ASSERT_EQ(PlayerEngine::Users(), 0);
  auto first = std::make_unique<Player>();
  auto second = std::make_unique<Player>();
  EXPECT_EQ(PlayerEngine::Users(), 2);
  EXPECT_NE(first->Loop().Character(), second->Loop().Character());
  (*first)->Import(Com::FromUtf8(lumatest::DemoFile("demo.mqo")).c_str());
  first.reset();
  EXPECT_EQ(PlayerEngine::Users(), 1) << "the first control's end leaves the second's engine";
  (*second)->Import(Com::FromUtf8("file://" + lumatest::DemoFile("demo.mqo")).c_str());
  EXPECT_NE(second->Loop().Character()->GetFirstChild(), nullptr);
  second.reset();
  EXPECT_EQ(PlayerEngine::Users(), 0) << "no window was ever made, and the engine still went";
  EXPECT_EQ(VoMaster::This(), nullptr);
}

}  // namespace
