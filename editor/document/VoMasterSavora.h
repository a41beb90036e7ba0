// VoMasterSavora: the editor's engine master. It hangs a GuiItemExtend with
// the item's companion on every item the engine makes, removes it when the
// item goes, owns the time bar, and reaches the companions for picking, mouse
// dispatch and drawing.
#pragma once

#include "editor/manip/MouseRecord.h"
#include "editor/timebar/TimeBar.h"
#include "vocore/item/VoRefer.h"
#include "vocore/vocore/VoMaster.h"

class CTireloDoc;
class VoIBranch;
class VoIItem;

class VoMasterSavora : public VoMaster {
 public:
  VoMasterSavora();
  ~VoMasterSavora() override;

  // Engine hooks: attach and remove the item's extension and tree entry.
  void CreateItemExtend(VoIItem* item) override;
  void ReleaseItemExtend(VoIItem* item) override;

  // Makes the time bar for `document`, dropping any previous one.
  void CreateTimeBar(CTireloDoc* document);
  // Drops the master's reference (the main window's close does this).
  void ReleaseTimeBar();
  // The time bar; null when none or released.
  TimeBar* GetTimeBar() const;

  // Appends to `list` the item of `branch`'s group (descendants included,
  // hidden items skipped) whose companion reports the smallest depth at
  // (x, y); the earlier item wins a tie and a miss never wins.
  void PickNearest(ItemList& list, VoIBranch* branch, float x, float y, int z);
  // The item's companion drags, unless the item is locked or hidden.
  void DispatchDrag(VoIItem* item, const MouseRecord& record);
  // The item's companion draws, unless the item is hidden.
  void DispatchDraw(VoIItem* item);

  VoRefer<TimeBar> timeBar;
};
