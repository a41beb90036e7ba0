#include "editor/manip/testing/ViewFixture.h"

#include "editor/timebar/TimeBar.h"
#include "platform/d3d8/testing/OffscreenDevice.h"
#include "vocore/scene/VoICharacter.h"
#include "editor/manip/ScreenMap.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoILocate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace mtest {

void ViewFixture::SetUp() {
  EditorFixture::SetUp();
  view = std::make_unique<CTireloView>(&window);
  ViewDraw& draw = view->draw;
  ASSERT_EQ(draw.Initialize(&window, 0), 1);
  int code = -1;
  ASSERT_EQ(draw.CreateScreen(0, &code), 1);
  draw.InitFont(8, 16);
  draw.SetRenderStateInitialize();
  draw.device->SetRenderState(D3DRS_LIGHTING, FALSE);
  draw.device->SetRenderState(D3DRS_DITHERENABLE, FALSE);
  LookFrom(1000.0f);
  master.CreateTimeBar(doc.get());
}

void ViewFixture::TearDown() {
  view.reset();
  EditorFixture::TearDown();
}

void ViewFixture::LookFrom(float distance, float pitch, float yaw, float fovDegrees) {
  IDirect3DDevice8* d = view->draw.device;
  Frx::Pmatrix turnY, turnX, back;
  D3DXMatrixRotationY(&turnY, yaw);
  D3DXMatrixRotationX(&turnX, pitch);
  back.SetTranslate(Frx::Pvector(0.0f, 0.0f, -distance));
  const Frx::Pmatrix viewMatrix = Frx::Pmatrix(turnY) * turnX * back;
  Frx::Pmatrix projection;
  D3DXMatrixPerspectiveFovRH(&projection, fovDegrees * 3.14159265358979f / 180.0f,
                             static_cast<float>(Width) / static_cast<float>(Height), 100.0f, 100000.0f);
  d->SetTransform(D3DTS_VIEW, &viewMatrix);
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
}

Frx::Pvector ViewFixture::Window(const Frx::Pvector& world) {
  Frx::Pvector p(-1.0e9f, -1.0e9f, 0.0f);
  ScreenMap(view->draw.GetMatrixWorld2Screen(Frx::Pmatrix::id)).Project(world, &p);
  return p;
}

void ViewFixture::Clear(uint32_t background) {
  view->draw.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background, 1.0f, 0);
}

std::vector<uint32_t> ViewFixture::Frame() { return D3DTest::ReadBackBuffer(view->draw.device, Width, Height); }

uint32_t ViewFixture::Pixel(int x, int y) {
  const std::vector<uint32_t> f = Frame();
  if (f.empty() || x < 0 || y < 0 || x >= Width || y >= Height) return 0xDEADBEEF;
  return f[static_cast<size_t>(y) * Width + x];
}

Canvas ViewFixture::MakeCanvas() {
  Canvas canvas(view->draw);
  canvas.selected = doc->selected.Get();
  return canvas;
}

MouseRecord ViewFixture::Press(float x, float y) {
  MouseRecord r;
  r.x = x, r.y = y;
  r.buttons = MouseRecord::LeftDown | MouseRecord::LeftChanged;
  return r;
}

MouseRecord ViewFixture::Move(float x, float y, float dx, float dy, uint32_t buttons) {
  MouseRecord r;
  r.x = x, r.y = y, r.dx = dx, r.dy = dy;
  r.buttons = buttons;
  return r;
}

MouseRecord ViewFixture::Release(float x, float y) {
  MouseRecord r;
  r.x = x, r.y = y;
  r.buttons = MouseRecord::LeftChanged;
  return r;
}

MouseRecord ViewFixture::Holding(MouseRecord r, int key) {
  r.keys[key] = 1;
  if (key == MouseRecord::KeyShift) r.buttons |= MouseRecord::ShiftDown;
  return r;
}

void ViewFixture::Dispatch(const MouseRecord& record) {
  if (TimeBar* bar = master.GetTimeBar()) bar->Drag(record);
  if (VoICharacter* c = host().GetSelectedCharacter()) master.DispatchDrag(c, record);
  if (VoICharacter* g = host().GetGeneralCharacter(); g && g != host().GetSelectedCharacter())
    master.DispatchDrag(g, record);
}

void ViewFixture::DrawSelected() {
  if (VoICharacter* c = host().GetSelectedCharacter()) master.DispatchDraw(c);
  if (TimeBar* bar = master.GetTimeBar()) bar->Draw();
}

VoICharacter* ViewFixture::NewCharacter(const char* name) {
  if (!doc->project) BuildScene();
  VoICharacter* c = Make<VoICharacter>(doc->project, name);
  host().SetCurrentCharacter(c);
  Make<VoISkelton>(c, "skelton");
  return c;
}

VoISkelton* ViewFixture::SkeletonOf(VoICharacter* character) { return character->GetSkelton(); }

ViewFixture::Chain ViewFixture::MakeChain(VoISkelton* skelton) {
  Chain c{};
  c.root = Make<VoILocate>(skelton, "R");
  c.root->IKchain = 0;
  c.b1 = Make<VoIBone>(skelton, "B1");
  c.middle = Make<VoILocate>(c.b1, "M");
  c.b2 = Make<VoIBone>(c.b1, "B2");
  c.tip = Make<VoILocate>(c.b2, "T");
  c.b1->SetStartLocate(c.root);
  c.b1->SetEndLocate(c.middle);
  c.b2->SetStartLocate(c.middle);
  c.b2->SetEndLocate(c.tip);
  c.b1->SetHeadVector(Frx::Pvector(0.0f, 0.0f, 1.0f));
  c.b2->SetHeadVector(Frx::Pvector(0.0f, 1.0f, 0.0f));
  c.root->SetWPos(Frx::Pvector(0.0f, 0.0f, 0.0f));
  c.middle->SetWPos(Frx::Pvector(0.0f, 100.0f, 0.0f));
  c.tip->SetWPos(Frx::Pvector(100.0f, 100.0f, 0.0f));
  skelton->InitialUpdate();
  // As a frame's update would: the forward pass, which settles the flags.
  skelton->ConvL2W(Frx::Pmatrix::id, 1);
  return c;
}

}  // namespace mtest
