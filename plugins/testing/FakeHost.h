// FakeHost: a host interface for plug-in tests. It records the calls made on
// it, answers message boxes from a script, and holds the frame, the
// characters and the selection that a test gives it. It holds no counts: the
// test keeps the items alive.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "plugins/host/HostInterface.h"

class FakeHost : public HostInterface {
 public:
  struct ControlCall {
    int slot;  // 32 or 33
    VoIItem* target;
    VoIMotion* motion;
  };

  FakeHost() = default;
  virtual ~FakeHost() = default;

  unsigned long Flags() { return FlagsFromHost(this); }

  int GetVersion() override { return Version; }
  HWND GetMainWindow() override { return nullptr; }
  HWND GetViewWindow() override { return nullptr; }
  Frx::Ferrox* GetFerrox() override;
  Frx::Draw::PDraw* GetDraw() override { return draw; }
  VoMaster* GetMaster() override { return master; }
  int GetEditSpace() override { return editSpace; }
  int ShowMessage(int type, const char* format, ...) override;
  int Play() override;
  int Pause() override;
  void UpdateAllViews() override { ++viewUpdates; }
  void RefreshTreeItem(VoIItem*) override { ++treeRefreshes; }
  void ReplayViewInput() override {}
  void RenderFrame(float frame) override;
  void PickItems(std::list<VoRefer<VoIItem>>&, float, float, float) override {}
  float GetCurrentFrame() override { return currentFrame; }
  void SetCurrentFrame(float frame) override { currentFrame = frame; }
  void SetViewCamera(VoIItem* camera) override { viewCamera = camera; }
  VoIItem* GetViewCamera() override { return viewCamera; }
  VoICharacter* GetProjectCharacter() override { return project; }
  VoICharacter* GetGeneralCharacter() override { return general; }
  VoICharacter* GetCurrentCharacter() override { return current; }
  VoIItem* GetSelectedItem() override { return selected; }
  VoICharacter* GetSelectedCharacter() override { return selectedCharacter; }
  void SetCurrentCharacter(VoICharacter* character) override { current = character; }
  void ClearCurrentCharacter() override { current = nullptr; }
  void SelectItem(VoIItem* item, int) override { selected = item; }
  void ClearSelection() override { selected = nullptr; }
  void ClickSelect(VoIItem* item, int) override { selected = item; }
  int IsSelected(VoIItem* item) override { return item != nullptr && item == selected; }
  int IsSelectedItem(VoIItem* item) override { return IsSelected(item); }
  void QueueItem(VoIItem* item) override { queued.push_back(item); }
  void CreateBranchControls(VoIBranch* branch, VoIMotion* motion) override;
  void CreateItemControls(VoICharacter* character, VoIMotion* motion) override;

  // What the test sets.
  VoMaster* master = nullptr;
  Frx::Draw::PDraw* draw = nullptr;
  int editSpace = 0;
  float currentFrame = 0;
  VoIItem* viewCamera = nullptr;
  VoICharacter* project = nullptr;
  VoICharacter* general = nullptr;
  VoICharacter* current = nullptr;
  VoIItem* selected = nullptr;
  VoICharacter* selectedCharacter = nullptr;
  // Message-box answers, front first; the box's default button when empty. An
  // answer the box does not show fails the test.
  std::deque<int> answers;
  int playResult = 1;
  // Called by RenderFrame after it records the frame (a test draws there).
  void (*onRender)(FakeHost& host, float frame) = nullptr;

  // What the test reads.
  std::vector<std::string> messages;
  std::vector<int> messageTypes;
  std::vector<float> renderedFrames;
  std::vector<VoIItem*> queued;
  std::vector<ControlCall> controlCalls;
  int plays = 0;
  int pauses = 0;
  int viewUpdates = 0;
  int treeRefreshes = 0;
};
