// Item creation and release, host and render state, and per-frame animation.
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "vocore/geometry/VoFace.h"
#include "vocore/geometry/VoIGeometry.h"
#include "vocore/geometry/VoVertex.h"
#include "vocore/item/VoIBranch.h"
#include "vocore/render/VoRenderer.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoIMaterial.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

namespace {

// Makes the item with the descriptor and brings it up like NewItem does.
VoIItem* CreateWith(VoMaster& master, VoClassDescItem* desc, VoIBranch* parent,
                    VoIItem* source) {
  VoIItem* item = desc->Create(parent);
  if (!item) return nullptr;
  master.CreateState(item);
  if (source) item->Copy(source);
  return item;
}

}  // namespace

VoIItem* VoMaster::CreateItem(unsigned long classId, VoIBranch* parent, VoIItem* source) {
  VoClassDescItem* desc = GetClassDescItem(classId);
  if (!desc) {
    Frx::theFerrox.Log("アイテム %lX がみつかりません。\n", classId);
    return nullptr;
  }
  return CreateWith(*this, desc, parent, source);
}

VoIItem* VoMaster::CreateItem(const char* className, VoIBranch* parent, VoIItem* source) {
  VoClassDescItem* desc = GetClassDescItem(className);
  if (!desc) {
    Frx::theFerrox.Log("アイテム %s がみつかりません。\n", className ? className : "");
    return nullptr;
  }
  return CreateWith(*this, desc, parent, source);
}

void VoMaster::CreateState(VoIItem* item) {
  if (!item) return;
  CreateItemExtend(item);
  // Without a renderer (headless hosts) items simply have no device data.
  if (!renderer) return;
  if (VoIGeometry* geometry = item->IsGeometry())
    geometry->SetRender(renderer->CreateRenderGeometry(geometry));
  else if (VoITexture* texture = item->IsTexture())
    texture->SetRender(renderer->CreateRenderTexture(texture));
  else if (VoIMaterial* material = item->IsMaterial())
    material->SetRender(renderer->CreateRenderMaterial(material));
}

void VoMaster::ReleaseItem(VoIItem* item) {
  if (item) item->Release();
}

VoVertex* VoMaster::CreateVertex() { return new VoVertex(); }

VoFace* VoMaster::CreateFace() { return new VoFace(); }

void VoMaster::Animation(VoICharacter* character, const Frx::Pmatrix& placement, float time) {
  VoICoordinate* root = world;
  if (!character || !root) return;
  root->L2W = placement;
  root->P2L = placement;
  root->S = Frx::Pmatrix::id;
  // Raw copies: the reference goes back exactly as it was, even when its
  // target has been released meanwhile.
  VoRefer<VoILocate> saved;
  saved.Set(character->coordinate.GetRaw());
  character->coordinate.Set(root);
  character->SetTime(time);
  character->ExecUpdate();
  character->coordinate.Set(saved.GetRaw());
}

void VoMaster::Discation(VoICharacter* character) {
  if (VoICoordinate* root = world) {
    root->L2W = Frx::Pmatrix::id;
    root->P2L = Frx::Pmatrix::id;
    root->S = Frx::Pmatrix::id;
  }
  if (character) character->Redraw();
}
