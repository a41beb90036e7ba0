// The control's windows on the offscreen platform: Frame draws into the
// control's own widget; Sprite moves a child of the container to (px, py)
// and draws over what lies beneath it; Borderless covers the container; in
// every mode only the middle of the drawing window takes clicks and the rest
// reach the widget beneath; backgrounds hold the page, not the control's
// placeholder; sizes the device cannot make are refused; an unsupported mode
// draws nothing; a window made again after one was destroyed draws again.
// Compiled for UTF-8 text (Qt's headers need it): expected Shift-JIS comes
// through Com::ToSjis.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

#include "PlayerTesting.h"
#include "Lumacet/PlayerEngine.h"
#include "platform/com/ComString.h"
#include "platform/com/PropertyBag.h"

namespace {

using lumatest::Player;

struct Application {
  Application() { lumatest::EnsureApplication(); }
};

// A shown container of 300 x 200 in a red of its own.
struct Page : Application {
  Page() {
    widget.resize(300, 200);
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(0xCC, 0x22, 0x11));
    widget.setPalette(palette);
    widget.show();
  }
  QWidget widget;
};

struct Control {
  explicit Control(const char16_t* mode, int cx = 80, int cy = 60) {
    CSavoraPlayer::SetClock(clock.Function());
    player = std::make_unique<Player>();
    CSavoraPlayer::SetClock(nullptr);
    (*player)->put_Mode(mode);
    (*player)->put_BgColor(0x0000FF);
    window = player->Query<IOleControlWindow>(IID_IOleControlWindow);
    window->SetExtent(cx, cy);
  }
  ~Control() { Release(); }
  // The test's references go; the control with them.
  void Release() {
    if (window) window->DestroyControlWindow(), window->Release();
    window = nullptr;
    player.reset();
  }
  QWidget* Widget() const {
    void* w = nullptr;
    window->GetControlWindow(&w);
    return static_cast<QWidget*>(w);
  }
  void Tick() {
    clock.now += 50;
    // The window's timer work, then the loop's, as the timer runs them.
    player->Loop().Tick();
  }
  lumatest::TestClock clock;
  std::unique_ptr<Player> player;
  IOleControlWindow* window = nullptr;
};

// The widget drawn as it is on screen.
uint32_t Shown(QWidget* widget, int x, int y) { return widget->grab().toImage().pixel(x, y) & 0xFFFFFF; }

QWidget* DrawWindow(QWidget& page) {
  return page.findChild<QWidget*>(QStringLiteral("DrawWindow@SavoraPlayer"), Qt::FindDirectChildrenOnly);
}

// A click at (x, y) of a shown page, given to its window as the platform
// gives it: Qt picks the widget that gets it.
void Click(QWidget& page, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const QPointF local(at), global(page.mapToGlobal(local));
  QMouseEvent press(QEvent::MouseButtonPress, local, local, global, button, button, Qt::NoModifier);
  QApplication::sendEvent(page.windowHandle(), &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(page.windowHandle(), &release);
}

// A widget of the page that records where it was pressed (page coordinates).
struct Beneath : QWidget {
  explicit Beneath(QWidget* page) : QWidget(page) {
    setGeometry(page->rect());
    show();
  }
  void mousePressEvent(QMouseEvent* event) override { presses.push_back(mapToParent(event->position().toPoint())); }
  std::vector<QPoint> presses;
};

TEST(PlayerWindow, FrameDrawsInTheControlAndFollowsItsSize) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Page page;
  Control c(u"Frame", 80, 40);
  ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 10, 20), S_OK);
  EXPECT_EQ(c.window->CreateControlWindow(&page.widget, 10, 20), E_UNEXPECTED);
  QWidget* w = c.Widget();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), QRect(10, 20, 80, 40));
  ASSERT_TRUE(c.player->Loop().HasScreen());
  EXPECT_EQ(c.player->Loop().Surface().screenWidth, 80);
  EXPECT_NE(Shown(w, 40, 20), 0x0000FFu) << "paused: the placeholder";
  (*c.player)->Play();
  c.Tick();
  EXPECT_EQ(Shown(w, 40, 20), 0x0000FFu) << "playing: the frame";

  // Resized by its container, the screen follows.
  EXPECT_EQ(c.window->SetExtent(120, 30), S_OK);
  EXPECT_EQ(w->size(), QSize(120, 30));
  EXPECT_EQ(c.player->Loop().Surface().screenWidth, 120);
  EXPECT_EQ(c.player->Loop().AreaWidth(), 120);
}

TEST(PlayerWindow, SpriteMovesEveryTickOverWhatLiesBeneath) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Page page;
  QWidget green(&page.widget);
  green.setGeometry(120, 50, 20, 20);
  green.setAutoFillBackground(true);
  QPalette palette = green.palette();
  palette.setColor(QPalette::Window, QColor(0x11, 0xCC, 0x22));
  green.setPalette(palette);
  green.show();
  Control c(u"Sprite", 80, 60);
  (*c.player)->put_px(30);
  (*c.player)->put_py(40);
  (*c.player)->put_Width(64);
  (*c.player)->put_Height(48);
  ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 200, 0), S_OK);
  QWidget* sprite = DrawWindow(page.widget);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->geometry(), QRect(0, 0, 64, 48)) << "made at the origin";
  (*c.player)->Play();
  c.player->Control().TimerTick();
  EXPECT_EQ(sprite->geometry(), QRect(30, 40, 64, 48));
  EXPECT_EQ(Shown(sprite, 5, 5), 0xCC2211u) << "the container beneath, not the clear colour";
  (*c.player)->put_px(100);
  c.player->Control().TimerTick();
  EXPECT_EQ(sprite->geometry(), QRect(100, 40, 64, 48));
  EXPECT_EQ(Shown(sprite, 25, 15), 0x11CC22u) << "a sibling beneath is part of the background";
  EXPECT_EQ(Shown(sprite, 5, 5), 0xCC2211u);
  EXPECT_EQ(Shown(c.Widget(), 40, 30) & 0xFFFFFF, 0xFFFFFFu) << "the control shows its placeholder";
}

TEST(PlayerWindow, BorderlessCoversTheContainerAndFollowsItsSize) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Page page;
  Control c(u"Borderless");
  ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
  QWidget* cover = DrawWindow(page.widget);
  ASSERT_NE(cover, nullptr);
  EXPECT_EQ(cover->geometry(), page.widget.rect());
  EXPECT_EQ(c.player->Loop().Surface().screenWidth, 300);
  page.widget.resize(320, 220);
  EXPECT_EQ(cover->size(), QSize(320, 220));
  EXPECT_EQ(c.player->Loop().Surface().screenHeight, 220);
  (*c.player)->Play();
  c.player->Control().TimerTick();
  EXPECT_EQ(Shown(cover, 300, 210), 0xCC2211u);
}

TEST(PlayerWindow, AnUnsupportedModeDrawsNothingAndAWindowMadeAgainDraws) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Page page;
  {
    Control c(u"Dance");
    ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
    EXPECT_TRUE(boxes.Saw(Com::ToSjis(u"対応していないモードが指定されました。\n Mode = 0")));
    EXPECT_FALSE(c.player->Loop().HasScreen());
    (*c.player)->Play();
    c.player->Control().TimerTick();
    EXPECT_EQ(c.player->Loop().RenderedTicks(), 0);
  }
  Control c(u"Frame", 96, 96);
  (*c.player)->Import(Com::FromUtf8(lumatest::DemoFile("demo.mqo")).c_str());
  (*c.player)->SetViewLookAt(0, -84, 0);
  (*c.player)->Play();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
    c.player->Control().TimerTick();
    EXPECT_NE(Shown(c.Widget(), 48, 33), 0x0000FFu) << "the character, round " << round;
    EXPECT_EQ(Shown(c.Widget(), 1, 1), 0x0000FFu);
    ASSERT_EQ(c.window->DestroyControlWindow(), S_OK);
    EXPECT_FALSE(c.player->Loop().HasScreen());
  }
}

TEST(PlayerWindow, TwoControlsOnOnePageEachDrawTheirOwnCharacter) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  Page page;
  Control left(u"Frame", 96, 96), right(u"Frame", 96, 96);
  (*right.player)->put_BgColor(0x00FF00);
  (*left.player)->Import(Com::FromUtf8(lumatest::DemoFile("demo.mqo")).c_str());
  ASSERT_EQ(left.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
  ASSERT_EQ(right.window->CreateControlWindow(&page.widget, 100, 0), S_OK);
  (*right.player)->Import(Com::FromUtf8(lumatest::DemoFile("demo.mqo")).c_str());
  for (Control* c : {&left, &right}) {
    (*c->player)->SetViewLookAt(0, -84, 0);
    (*c->player)->Play();
  }
  for (int i = 0; i < 2; ++i) {
    left.player->Control().TimerTick();
    right.player->Control().TimerTick();
  }
  EXPECT_NE(Shown(left.Widget(), 48, 33), 0x0000FFu);
  EXPECT_EQ(Shown(left.Widget(), 1, 1), 0x0000FFu);
  EXPECT_NE(Shown(right.Widget(), 48, 33), 0x00FF00u);
  EXPECT_EQ(Shown(right.Widget(), 1, 1), 0x00FF00u);
  // The first control's window and engine share go; the second draws on.
  left.Release();
  EXPECT_EQ(PlayerEngine::Users(), 1);
  right.player->Control().TimerTick();
  EXPECT_NE(Shown(right.Widget(), 48, 33), 0x00FF00u);
}

// The middle of an 80 x 60 area is 31..49 x 23..36 (strictly between 3/8 and 5/8).
TEST(PlayerWindow, OnlyTheMiddleTakesClicksTheRestReachesTheWidgetBeneath) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  const std::pair<const char16_t*, QPoint> modes[] = {{u"Frame", {10, 20}}, {u"Sprite", {100, 50}}, {u"Borderless", {0, 0}}};
  const QPoint in[] = {{40, 30}, {49, 36}}, out[] = {{30, 30}, {50, 30}, {40, 22}, {40, 37}, {2, 2}};
  for (const auto& [mode, origin] : modes) {
    Page page;
    Beneath beneath(&page.widget);
    Control c(mode, 80, 60);
    (*c.player)->put_Width(80), (*c.player)->put_Height(60), (*c.player)->put_px(100), (*c.player)->put_py(50);
    ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 10, 20), S_OK);
    (*c.player)->Play();
    c.player->Control().TimerTick();
    lumatest::RecordingSink sink;
    IConnectionPoint* point = nullptr;
    auto* container = c.player->Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    container->FindConnectionPoint(DIID__ISavoraPlayerEvents, &point);
    container->Release();
    uint32_t cookie = 0;
    point->Advise(&sink, &cookie);
    std::vector<QPoint> passed;
    for (const QPoint& p : in) Click(page.widget, origin + p);
    for (const QPoint& p : out) Click(page.widget, origin + p), passed.push_back(origin + p);
    Click(page.widget, origin + in[0], Qt::RightButton);  // the middle keeps it, as a drawing window does
    EXPECT_EQ(sink.own, (std::vector<std::string>{"ClickIn 40 30", "ClickIn 49 36"})) << Com::ToUtf8(mode);
    EXPECT_EQ(beneath.presses, passed) << Com::ToUtf8(mode);
    point->Unadvise(cookie);
    point->Release();
  }
}

TEST(PlayerWindow, BackgroundsHoldThePageNotThePausedPlaceholder) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  for (const char16_t* mode : {u"Sprite", u"Borderless"}) {
    Page page;
    Control c(mode, 80, 60);
    (*c.player)->put_Width(80), (*c.player)->put_Height(60);
    ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
    (*c.player)->Play();
    c.player->Control().TimerTick();
    ASSERT_NE(DrawWindow(page.widget), nullptr);
    EXPECT_EQ(Shown(DrawWindow(page.widget), 5, 5), 0xCC2211u) << Com::ToUtf8(mode);
  }
}

// The device's largest texture bounds a drawing window (the background is one).
TEST(PlayerWindow, SizesTheDeviceCannotMakeAreRefusedAndTheOldOnesKept) {
  D3DCAPS8 caps{};
  IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, &caps);
  d3d->Release();
  const int32_t w = static_cast<int32_t>(caps.MaxTextureWidth), h = static_cast<int32_t>(caps.MaxTextureHeight);
  Control c(u"Sprite", 80, 60);
  ISavoraPlayer* p = c.player->get();
  EXPECT_EQ(p->put_Width(w), S_OK);
  EXPECT_EQ(p->put_Height(h), S_OK);
  EXPECT_EQ(p->put_Width(w + 1), E_INVALIDARG);
  EXPECT_EQ(p->put_Height(2147483647), E_INVALIDARG);
  EXPECT_EQ(c.window->SetExtent(w + 1, 60), E_INVALIDARG);
  EXPECT_EQ(c.window->SetExtent(80, h + 1), E_INVALIDARG);
  int32_t width = 0, height = 0, cx = 0, cy = 0;
  p->get_Width(&width), p->get_Height(&height), c.window->GetExtent(&cx, &cy);
  EXPECT_EQ(std::vector<int32_t>({width, height, cx, cy}), std::vector<int32_t>({w, h, 80, 60}));
}

// The huge sprite of a page ended the process when its screen failed: run in
// a child of its own, it must keep a screen and its old size.
TEST(PlayerWindowDeathTest, AHugeSpriteFromAPageKeepsTheProcessAndItsSize) {
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, not a fork of one with GL threads
  EXPECT_EXIT(
      {
        FrxTest::MessageBoxRecorder boxes(IDOK);
        Page page;
        Control c(u"Frame");
        Com::PropertyBag bag;
        for (const char16_t* name : {u"_cx", u"_cy", u"Width", u"Height"}) bag.Write(name, VARIANT::Bstr(u"100000"));
        bag.Write(u"Mode", VARIANT::Bstr(u"Sprite"));
        auto* persist = c.player->Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
        persist->Load(&bag);
        persist->Release();
        c.window->CreateControlWindow(&page.widget, 0, 0);
        (*c.player)->Play();
        c.player->Control().TimerTick();
        (*c.player)->put_Width(2147483647);
        c.player->Control().TimerTick();
        QWidget* sprite = DrawWindow(page.widget);
        const bool kept = sprite && sprite->size() == QSize(80, 60) && c.player->Loop().HasScreen();
        std::fprintf(stderr, "kept %d\n", kept ? 1 : 0);
        std::exit(kept ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "kept 1");
  GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
