#include "editor/document/VoMasterSavora.h"

#include "editor/document/CTireloDoc.h"
#include "editor/document/CreateExtensionFor.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/timebar/TimeBar.h"
#include "ferrox/ferrox/Ferrox.h"
#include "vocore/item/VoIBranch.h"

namespace {
constexpr char kNoExtension[] =
    "VoMasterSavora:アイテム拡張クラスが生成されていないアイテムが存在します %s:%s\n";
}

VoMasterSavora::VoMasterSavora() = default;

VoMasterSavora::~VoMasterSavora() {
  // Companions of the roots go with their items; the time bar goes first.
  timeBar.Clear();
  Uninitialize();
}

void VoMasterSavora::CreateItemExtend(VoIItem* item) {
  if (!item) return;
  auto* extend = new GuiItemExtend;
  // A second call replaces the extension: the old one (and its companion,
  // unless held elsewhere) goes rather than leaking; the tree entry stays.
  if (VoItemExtend* old = item->GetExtend()) {
    if (auto* previous = dynamic_cast<GuiItemExtend*>(old)) extend->treeEntry = previous->treeEntry;
    item->SetExtend(nullptr);
    delete old;
  }
  item->SetExtend(extend);
  extend->gui = CreateExtensionFor(item);
  if (CTireloDoc* doc = GetDocument()) doc->RefreshTreeItem(item);
}

void VoMasterSavora::ReleaseItemExtend(VoIItem* item) {
  if (!item || !item->GetExtend()) return;
  if (CTireloDoc* doc = GetDocument()) doc->RemoveTreeItem(item);
  VoItemExtend* extend = item->GetExtend();
  item->SetExtend(nullptr);
  delete extend;
}

void VoMasterSavora::CreateTimeBar(CTireloDoc* document) { timeBar = new TimeBar(document); }

void VoMasterSavora::ReleaseTimeBar() {
  if (TimeBar* bar = timeBar.GetRaw()) bar->Release();
  timeBar.Clear();
}

TimeBar* VoMasterSavora::GetTimeBar() const { return timeBar.Get(); }

void VoMasterSavora::PickNearest(ItemList& list, VoIBranch* branch, float x, float y, int z) {
  if (!branch) return;
  ItemList group;
  branch->GetGroupList(group, VoIItem::CLASS_ID);
  VoIItem* best = nullptr;
  float bestDepth = ItemGui::NoHit;
  for (VoIItem* item : group) {
    if (!item || item->IsHide()) continue;
    if (!item->GetExtend()) {
      Frx::theFerrox.Error(kNoExtension, GetClassNameA(item->GetClassID()), item->GetName());
      continue;
    }
    ItemGui* gui = GetItemGui(item);
    if (!gui) continue;
    const float depth = gui->HitTest(x, y, z);
    if (depth < bestDepth) bestDepth = depth, best = item;
  }
  if (best) list.emplace_back(best);
}

void VoMasterSavora::DispatchDrag(VoIItem* item, const MouseRecord& record) {
  Companion::DispatchDrag(item, record);
}

void VoMasterSavora::DispatchDraw(VoIItem* item) { Companion::DispatchDraw(item); }
