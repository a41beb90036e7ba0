#include "editor/extend/GuiValue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "editor/extend/CompanionContext.h"
#include "editor/manip/draw/Primitives.h"
#include "vocore/scene/VoIValue.h"

float ValueEntry(const VoIValue* value, unsigned long index) {
  if (!value || !value->table || index >= value->count) return 0.0f;
  const uint32_t bits = static_cast<uint32_t>(value->table[index].word[0]);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

void SetValueEntry(VoIValue* value, unsigned long index, float v) {
  if (!value || !value->table || index >= value->count) return;
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  value->table[index].word[0] = bits;
}

GuiValue::GuiValue(VoIItem* value) : ItemGui(value) {}

VoIValue* GuiValue::Value() const { return dynamic_cast<VoIValue*>(item); }

float GuiValue::HitTest(float x, float y, int) {
  VoIValue* value = Value();
  if (!value || !Companion::IsSelected(item)) return NoHit;
  const float half = 4.0f * static_cast<float>(value->count);
  if (std::fabs(x - (left + 128.0f)) <= 128.0f && std::fabs(y - (top + half + 4.0f)) <= half + 8.0f) return 0.0f;
  return NoHit;
}

void GuiValue::Drag(MouseRecord r) {
  VoIValue* value = Value();
  if (!value || !Companion::IsSelected(item)) return;
  if (r.LeftPressed() && !(r.buttons & MouseRecord::RightDown)) {
    // floor, not trunc: a press just above the list is no row at all.
    const float at = std::floor((r.y - top) * 0.125f);
    row = at >= 0.0f && at < static_cast<float>(value->count) ? static_cast<int>(at) : -1;
  }
  if (row < 0 || static_cast<unsigned long>(row) >= value->count) return;
  if (!(r.buttons & MouseRecord::LeftDown) || (r.buttons & MouseRecord::RightDown)) return;
  const float d = std::clamp(std::trunc(r.x - left), 0.0f, 256.0f);
  SetValueEntry(value, static_cast<unsigned long>(row), d / 256.0f);
}

void GuiValue::Draw() {
  VoIValue* value = Value();
  if (!value || !Companion::IsSelected(item)) return;
  std::optional<Canvas> canvas = Companion::CurrentCanvas();
  if (!canvas) return;
  Frx::Draw::PDraw& draw = canvas->draw;
  canvas->Flush();
  draw.Printf("%s\n", value->GetFullName(nullptr).Get());
  left = static_cast<float>(draw.textX + 160);
  top = static_cast<float>(draw.textY);
  draw.device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  draw.device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  draw.device->SetTexture(0, nullptr);
  for (unsigned long i = 0; i < value->count; ++i) {
    const float v = ValueEntry(value, i);
    const char* name = value->table[i].name;
    draw.Printf("%s: %f\n", name ? name : "", static_cast<double>(v));
    draw.device->SetTexture(0, nullptr);
    const float knob = std::isfinite(v) ? std::clamp(std::trunc(v * 256.0f), -1.0e6f, 1.0e6f) : 0.0f;
    DrawTexturedQuad(*canvas, left + knob - 8.0f, top + 8.0f * static_cast<float>(i) - 4.0f, 0.0f, 16.0f, 16.0f,
                     0.125f, 0.5625f, 0.0625f, 0.0625f, 0x00FF99CC, canvas->handles);
  }
}
