// SavoraHost: the editor's host interface, the one object whose address
// GetSavora hands to plug-ins. It only adapts: every slot hands its work to
// the program's document (GetDocument), which selects, scopes, queues and
// has the windows follow, to the master, or to the program's view. Without a
// document, with nothing selected, or given null, a slot does nothing.
#pragma once

#include "plugins/host/HostInterface.h"

class VoMasterSavora;

class SavoraHost final : public HostInterface {
 public:
  SavoraHost() = default;
  SavoraHost(const SavoraHost&) = delete;
  SavoraHost& operator=(const SavoraHost&) = delete;

  int GetVersion() override;
  HWND GetMainWindow() override;
  HWND GetViewWindow() override;
  Frx::Ferrox* GetFerrox() override;
  Frx::Draw::PDraw* GetDraw() override;
  VoMaster* GetMaster() override;
  int GetEditSpace() override;
  [[gnu::format(printf, 3, 4)]] int ShowMessage(int type, const char* format, ...) override;
  int Play() override;
  int Pause() override;
  void UpdateAllViews() override;
  void RefreshTreeItem(VoIItem* item) override;
  void ReplayViewInput() override;
  void RenderFrame(float frame) override;
  void PickItems(std::list<VoRefer<VoIItem>>& items, float x, float y, float z) override;
  float GetCurrentFrame() override;
  void SetCurrentFrame(float frame) override;
  void SetViewCamera(VoIItem* camera) override;
  VoIItem* GetViewCamera() override;
  VoICharacter* GetProjectCharacter() override;
  VoICharacter* GetGeneralCharacter() override;
  VoICharacter* GetCurrentCharacter() override;
  VoIItem* GetSelectedItem() override;
  VoICharacter* GetSelectedCharacter() override;
  void SetCurrentCharacter(VoICharacter* character) override;
  void ClearCurrentCharacter() override;
  void SelectItem(VoIItem* item, int mode) override;
  void ClearSelection() override;
  void ClickSelect(VoIItem* item, int mode) override;
  int IsSelected(VoIItem* item) override;
  int IsSelectedItem(VoIItem* item) override;
  void QueueItem(VoIItem* item) override;
  void CreateBranchControls(VoIBranch* branch, VoIMotion* motion) override;
  void CreateItemControls(VoICharacter* character, VoIMotion* motion) override;

  // --- the editor's own wiring (not a slot) ---
  // The master GetMaster hands out; not owned, null detaches.
  void SetMaster(VoMasterSavora* master) { master_ = master; }

 private:
  VoMasterSavora* master_ = nullptr;
};

// The process's host interface object (never freed).
SavoraHost& TheHost();

extern "C" HostInterface* GetSavora();
