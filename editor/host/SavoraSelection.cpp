// The slots of the fixed and current characters, the selection and the
// deferred list.
#include "editor/document/CTireloDoc.h"
#include "editor/host/SavoraHost.h"

namespace {
CTireloDoc* Doc() { return GetDocument(); }
}  // namespace

VoICharacter* SavoraHost::GetProjectCharacter() {
  CTireloDoc* doc = Doc();
  return doc ? doc->project.Get() : nullptr;
}

VoICharacter* SavoraHost::GetGeneralCharacter() {
  CTireloDoc* doc = Doc();
  return doc ? doc->general.Get() : nullptr;
}

VoICharacter* SavoraHost::GetCurrentCharacter() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetCurrentCharacter() : nullptr;
}

VoIItem* SavoraHost::GetSelectedItem() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetSelectedItem() : nullptr;
}

VoICharacter* SavoraHost::GetSelectedCharacter() {
  CTireloDoc* doc = Doc();
  return doc ? doc->GetSelectedCharacter() : nullptr;
}

void SavoraHost::SetCurrentCharacter(VoICharacter* character) {
  if (CTireloDoc* doc = Doc()) doc->SetCurrentCharacter(character);
}

void SavoraHost::ClearCurrentCharacter() {
  if (CTireloDoc* doc = Doc()) doc->ClearCurrentCharacter();
}

void SavoraHost::SelectItem(VoIItem* item, int mode) {
  if (CTireloDoc* doc = Doc()) doc->SelectItem(item, mode);
}

void SavoraHost::ClearSelection() {
  if (CTireloDoc* doc = Doc()) doc->ClearSelection();
}

void SavoraHost::ClickSelect(VoIItem* item, int mode) {
  if (CTireloDoc* doc = Doc()) doc->ClickSelect(item, mode);
}

int SavoraHost::IsSelected(VoIItem* item) {
  CTireloDoc* doc = Doc();
  return doc ? doc->IsSelected(item) : 0;
}

int SavoraHost::IsSelectedItem(VoIItem* item) { return IsSelected(item); }

void SavoraHost::QueueItem(VoIItem* item) {
  if (CTireloDoc* doc = Doc()) doc->QueueItem(item);
}
