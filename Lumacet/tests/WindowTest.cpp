// The control's windows on the offscreen platform: Frame draws into the
// control's own widget and takes clicks in its middle only; Sprite moves a
// child of the container to (px, py) and draws over what lies beneath it;
// Borderless covers the container; an unsupported mode draws nothing; a
// window made again after one was destroyed draws again. Compiled for UTF-8
// text (Qt's headers need it): expected Shift-JIS comes through Com::ToSjis.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include "PlayerTesting.h"
#include "Lumacet/PlayerEngine.h"
#include "platform/com/ComString.h"

namespace {

using lumatest::Boxes;
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

void Press(QWidget* widget, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
  QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, y), widget->mapToGlobal(QPointF(x, y)), button, button,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST(PlayerWindow, FrameDrawsInTheControlAndTakesClicksInItsMiddle) {
  Boxes boxes;
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

  lumatest::RecordingSink sink;
  IConnectionPoint* point = nullptr;
  auto* container = c.player->Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
  container->FindConnectionPoint(DIID__ISavoraPlayerEvents, &point);
  container->Release();
  uint32_t cookie = 0;
  point->Advise(&sink, &cookie);
  Press(w, 40, 20);
  Press(w, 30, 20);  // 3/8 of the width: the border passes through
  Press(w, 40, 15);  // 3/8 of the height
  Press(w, 41, 21, Qt::RightButton);
  Press(w, 49, 24);
  EXPECT_EQ(sink.own, (std::vector<std::string>{"ClickIn 40 20", "ClickIn 49 24"}));
  point->Unadvise(cookie);
  point->Release();

  // Resized by its container, the screen follows.
  EXPECT_EQ(c.window->SetExtent(120, 30), S_OK);
  EXPECT_EQ(w->size(), QSize(120, 30));
  EXPECT_EQ(c.player->Loop().Surface().screenWidth, 120);
  EXPECT_EQ(c.player->Loop().AreaWidth(), 120);
}

TEST(PlayerWindow, SpriteMovesEveryTickOverWhatLiesBeneath) {
  Boxes boxes;
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
  QWidget* sprite = nullptr;
  for (QObject* o : page.widget.children())
    if (auto* w = qobject_cast<QWidget*>(o); w && w != c.Widget() && w != &green) sprite = w;
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
  Boxes boxes;
  Page page;
  Control c(u"Borderless");
  ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
  QWidget* cover = nullptr;
  for (QObject* o : page.widget.children())
    if (auto* w = qobject_cast<QWidget*>(o); w && w != c.Widget()) cover = w;
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
  Boxes boxes;
  Page page;
  {
    Control c(u"Dance");
    ASSERT_EQ(c.window->CreateControlWindow(&page.widget, 0, 0), S_OK);
    EXPECT_TRUE(boxes.Any(Com::ToSjis(u"対応していないモードが指定されました。\n Mode = 0")));
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
  Boxes boxes;
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

}  // namespace
