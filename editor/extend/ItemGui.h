// ItemGui: the editor-side companion of an item (or of nothing, as the time
// bar): how its handles are hit, dragged and drawn, and what selection does.
// Counted like items: whoever holds it holds a VoRefer<ItemGui>; the drop to
// 0 deletes it. The virtual order of both sides is kept as the companions
// were laid out: counted side first, then the five operations.
#pragma once

#include "editor/manip/MouseRecord.h"
#include "editor/manip/NoHit.h"
#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pvector.h"

class VoIItem;

// The five operations every companion answers, in slot order.
class ItemGuiInterface {
 public:
  // Depth of the hit at window pixel (x, y); NoHit when missed.
  virtual float HitTest(float x, float y, int z) = 0;
  virtual void Drag(MouseRecord record) = 0;
  virtual void Draw() = 0;
  virtual void OnSelect(int mode) = 0;
  virtual void OnDeselect() = 0;

 protected:
  ~ItemGuiInterface() = default;
};

class ItemGui : public Frx::PrefTarget, public ItemGuiInterface {
 public:
  // The largest finite float: nothing under the pointer.
  static constexpr float NoHit = ::NoHit;

  // `item` is served, not owned: the item outlives its extension.
  explicit ItemGui(VoIItem* item = nullptr) : item(item) {}
  ~ItemGui() override = default;
  ItemGui(const ItemGui&) = delete;
  ItemGui& operator=(const ItemGui&) = delete;

  // --- counted side, in slot order ---
  void DeleteThis() override { delete this; }
  void Release() override { Frx::PrefTarget::Release(); }
  virtual void Reserved0(int, int, int) {}
  virtual void Reserved1(int, int, int) {}
  virtual void Reserved2(int, int, int) {}
  // The class's fixed name ("GUI-Bone"); null when it has none.
  virtual const char* GetName() { return nullptr; }

  // --- the five operations: the base answers a miss and ignores the rest ---
  float HitTest(float, float, int) override { return NoHit; }
  void OnSelect(int) override {}
  void OnDeselect() override {}

  VoIItem* item;
};

// A plain target of the time bar and key bars: all five operations do
// nothing; it is told apart by its address and carries a position and a word.
class GuiTarget : public ItemGui {
 public:
  GuiTarget() = default;
  void Drag(MouseRecord) override {}
  void Draw() override {}

  Frx::Pvector position{0.0f, 0.0f, 0.0f};
  int value = 0;
};
