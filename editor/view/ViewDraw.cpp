#include "editor/view/ViewDraw.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "vocore/Renddx/VoDirectX7.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/vocore/VoMaster.h"

ViewDraw::~ViewDraw() { ReleaseTextures(); }

void ViewDraw::ReleaseTextures() {
  for (IDirect3DTexture8** t : {&fontTexture, &envTexture, &celTexture, &celLightTexture}) {
    if (*t) (*t)->Release();
    *t = nullptr;
  }
}

int ViewDraw::ResetScreen() {
  if (!device) return 0;
  CTireloDoc* doc = GetDocument();
  VoMaster* master = doc ? doc->master : nullptr;
  auto* renderer = master ? dynamic_cast<VoDirectX7*>(master->GetRender()) : nullptr;
  if (renderer) {
    if (VoICharacter* p = doc->project) renderer->ResetRenderObject(p);
    if (VoICharacter* g = doc->general) renderer->ResetRenderObject(g);
  }
  return PDraw::ResetScreen();
}
