// The drawing part of a frame: clear, animate, camera, lights, characters,
// manipulators, time bar and overlay, present.
#include <algorithm>
#include <cmath>
#include <list>

#include "editor/view/FramePieces.h"
#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/timebar/TimeBar.h"
#include "editor/view/CTireloView.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/scene/VoICamera.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoILight.h"
#include "vocore/skeleton/VoICoordinate.h"

namespace FrameLoop {

namespace {

constexpr float kPi = 3.14159265358979f;

void SetRendererLooks(CTireloView& view, const CTireloDoc& doc, VoDirectX7& r) {
  ViewDraw& draw = view.draw;
  if (doc.displayMode == 2) {
    const auto byte = [](float c) { return static_cast<uint32_t>(std::fmin(std::fmax(c, 0.0f), 1.0f) * 255.0f); };
    draw.SetClearColor(0xFF000000u | byte(doc.backgroundColor[0]) << 16 | byte(doc.backgroundColor[1]) << 8 |
                       byte(doc.backgroundColor[2]));
    r.sphereTexture = draw.envTexture;
  } else {
    draw.SetClearColor(0x001D4059);
    r.sphereTexture = nullptr;
  }
  r.celShading = doc.celShading ? 1 : 0;
  r.outline = doc.celShading ? 1 : 0;
  r.celTexture = doc.celShading ? draw.celTexture : nullptr;
  if (doc.celShading) {
    r.outlineWidth = doc.celEdgeSize;
    r.outlineR = doc.celEdgeColor[0], r.outlineG = doc.celEdgeColor[1], r.outlineB = doc.celEdgeColor[2];
    r.sphereTexture = draw.celLightTexture;
  }
}

void SetCamera(CTireloView& view, const CTireloDoc& doc, IDirect3DDevice8* d) {
  float fov = 20.0f;
  Frx::Pmatrix viewMatrix = view.camera.view;
  VoIItem* item = doc.viewCamera.Get();
  if (VoICamera* camera = item ? item->IsCamera() : nullptr) {
    fov = camera->GetFov();
    VoICoordinate* c = camera->GetSafetyCoordinate();
    if (c) viewMatrix = c->GetMatrixL2W().GetInverse();
  }
  Frx::Pmatrix projection;
  if (doc.projection == 1) {
    Frx::Pmatrix flat = Frx::Pmatrix::id, scale;
    flat._33 = -0.01f;
    flat._43 = 0.001f;
    const float s = view.camera.zoom * 0.01f;
    D3DXMatrixScaling(&scale, s, s, 0.01f);
    projection = flat * scale;
  } else {
    const float aspect = static_cast<float>(view.draw.screenWidth) /
                         static_cast<float>(view.draw.screenHeight > 0 ? view.draw.screenHeight : 1);
    D3DXMatrixPerspectiveFovRH(&projection, fov * kPi / 180.0f, aspect, 100.0f, 100000.0f);
  }
  d->SetTransform(D3DTS_PROJECTION, &projection);
  d->SetTransform(D3DTS_VIEW, &viewMatrix);
  d->SetTransform(D3DTS_WORLD, &Frx::Pmatrix::id);
}

void SetEditorLights(CTireloView& view, const CTireloDoc& doc, VoDirectX7& r, IDirect3DDevice8* d) {
  const float ambient = doc.displayMode == 1 ? 0.0f : 0.5f;
  r.ambientR = r.ambientG = r.ambientB = ambient;
  const Frx::Pmatrix turn = view.camera.InverseRotation();
  const bool emphasis = doc.displayMode == 1;
  const D3DXVECTOR3 dirs[2] = {{-1.0f, -1.0f, emphasis ? 1.0f : -1.0f}, {1.0f, 1.0f, emphasis ? -1.0f : 1.0f}};
  const D3DCOLORVALUE colours[2] = {{1.0f, 1.0f, 1.0f, 1.0f}, {0.02f, 0.3f, 0.5f, 1.0f}};
  for (int i = 0; i < 2; ++i) {
    D3DXVECTOR3 dir;
    D3DXVec3TransformNormal(&dir, &dirs[i], &turn);
    D3DXVec3Normalize(&dir, &dir);
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = colours[i];
    light.Direction = {dir.x, dir.y, dir.z};
    light.Range = 3.4028235e38f;
    light.Attenuation0 = i == 0 ? 0.0f : 1.0f;
    light.Attenuation1 = i == 0 ? 1.0f : 0.0f;
    d->SetLight(i, &light);
    d->LightEnable(i, TRUE);
  }
}

// The scoped character's own lights; device lights it used in the previous
// frame and no longer needs are switched off.
void SetCharacterLights(CTireloView& view, CTireloDoc& doc, VoDirectX7& r, IDirect3DDevice8* d) {
  r.ambientR = r.ambientG = r.ambientB = 0.0f;
  VoILight* ambient = view.scoped->GetAmbientLight();
  if (!ambient || ambient->IsHide()) ambient = doc.general ? doc.general->GetAmbientLight() : nullptr;
  if (ambient && !ambient->IsHide()) r.ambientR = ambient->r, r.ambientG = ambient->g, r.ambientB = ambient->b;
  std::list<VoILight*> lights;
  view.scoped->GetLightList(lights);
  if (!lights.empty()) d->LightEnable(0, FALSE), d->LightEnable(1, FALSE);
  int used = 0;
  for (VoILight* l : lights) {
    if (!l || l->IsHide() || l->GetDeviceKind() == VoILight::DEVICE_NONE) continue;
    D3DLIGHT8 light{};
    light.Type = static_cast<uint32_t>(l->GetDeviceKind());
    const Frx::Pvector dir = l->GetDirection(), pos = l->GetPosition();
    light.Direction = {dir.x, dir.y, dir.z};
    light.Position = {pos.x, pos.y, pos.z};
    light.Diffuse = {l->r, l->g, l->b, l->a};
    light.Range = l->range;
    light.Attenuation0 = 1.0f;
    light.Theta = l->spotInner, light.Phi = l->spotOuter, light.Falloff = 1.0f;
    d->SetLight(used, &light);
    d->LightEnable(used, TRUE);
    ++used;
  }
  for (int i = std::max(used, 2); i < view.lightsUsed; ++i) d->LightEnable(i, FALSE);
  view.lightsUsed = used;
}

void DrawOverlay(CTireloView& view, CTireloDoc& doc) {
  ViewDraw& draw = view.draw;
  draw.Printf("time(1.0=60fps) : %2.3f/%2.3f\n", view.frameTime, view.workTime);
  if (Frx::theFerrox.debug) draw.Printf("(%d,%d)\n", draw.screenWidth, draw.screenHeight);
  if (VoICharacter* c = doc.current) draw.Print(Frx::Pstring("CURRENT ") + c->GetFullName(nullptr) + "\n");
  if (VoIItem* s = doc.selected) draw.Print(Frx::Pstring("SELECT ") + s->GetFullName(nullptr) + "\n");
}

}  // namespace

void DrawScene(CTireloView& view, CTireloDoc& doc, VoDirectX7& r, float frame) {
  ViewDraw& draw = view.draw;
  IDirect3DDevice8* d = draw.device;
  VoMasterSavora& master = *doc.master;
  SetRendererLooks(view, doc, r);
  draw.FlushScreen();
  draw.SetRenderStateInitialize();
  r.InitialFrame();
  master.CountUpdate();
  if (VoICharacter* g = doc.general) master.Animation(g, Frx::Pmatrix::id, frame);
  if (view.scoped) master.Animation(view.scoped, Frx::Pmatrix::id, frame);
  d->BeginScene();
  SetCamera(view, doc, d);
  SetEditorLights(view, doc, r, d);
  if (doc.displayMode != 2)
    if (VoICharacter* g = doc.general) master.Discation(g);
  if (view.scoped) {
    if (doc.displayMode != 1) SetCharacterLights(view, doc, r, d);
    r.InitialFrame();
    master.Discation(view.scoped);
  }
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  d->SetRenderState(D3DRS_LIGHTING, FALSE);
  d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
  d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  if (doc.displayMode != 2) {
    if (TimeBar* bar = master.GetTimeBar()) {
      if (VoICharacter* c = doc.GetSelectedCharacter()) master.DispatchDraw(c);
      bar->Draw();
    }
    DrawOverlay(view, doc);
  }
  d->EndScene();
  draw.UpdateScreen();
}

}  // namespace FrameLoop
