// HostInterface: the editor's table of operations that command plug-ins (and
// importers and exporters, as their last argument) call. Plug-ins built apart
// from the editor call by slot, so the order of the virtuals below is part of
// the interface: append, never reorder. The editor owns the one object and
// exports its address as GetSavora; plug-ins never free it.
#pragma once

#include <list>

#include "platform/win32/WinTypes.h"
#include "vocore/item/VoRefer.h"

namespace Frx {
class Ferrox;
namespace Draw {
class PDraw;
}
}  // namespace Frx

class VoIBranch;
class VoICharacter;
class VoIItem;
class VoIMotion;
class VoMaster;

class HostInterface {
 public:
  // The version GetVersion reports.
  static constexpr int Version = 1030;

  virtual int GetVersion() = 0;                                     // 0
  virtual HWND GetMainWindow() = 0;                                 // 1
  virtual HWND GetViewWindow() = 0;                                 // 2
  virtual Frx::Ferrox* GetFerrox() = 0;                             // 3
  virtual Frx::Draw::PDraw* GetDraw() = 0;                          // 4
  virtual VoMaster* GetMaster() = 0;                                // 5
  virtual int GetEditSpace() = 0;                                   // 6: 0 local, 1 parent, 2 world
  virtual int ShowMessage(int type, const char* format, ...)        // 7
      __attribute__((format(printf, 3, 4))) = 0;
  virtual int Play() = 0;                                           // 8
  virtual int Pause() = 0;                                          // 9
  virtual void UpdateAllViews() = 0;                                // 10
  virtual void RefreshTreeItem(VoIItem* item) = 0;                  // 11: null refreshes all
  virtual void ReplayViewInput() = 0;                               // 12
  virtual void RenderFrame(float frame) = 0;                        // 13
  virtual void PickItems(std::list<VoRefer<VoIItem>>& items, float x, float y,
                         float z) = 0;                              // 14
  virtual float GetCurrentFrame() = 0;                              // 15
  virtual void SetCurrentFrame(float frame) = 0;                    // 16
  virtual void SetViewCamera(VoIItem* camera) = 0;                  // 17
  virtual VoIItem* GetViewCamera() = 0;                             // 18
  virtual VoICharacter* GetProjectCharacter() = 0;                  // 19
  virtual VoICharacter* GetGeneralCharacter() = 0;                  // 20
  virtual VoICharacter* GetCurrentCharacter() = 0;                  // 21
  virtual VoIItem* GetSelectedItem() = 0;                           // 22
  virtual VoICharacter* GetSelectedCharacter() = 0;                 // 23
  virtual void SetCurrentCharacter(VoICharacter* character) = 0;    // 24
  virtual void ClearCurrentCharacter() = 0;                         // 25
  virtual void SelectItem(VoIItem* item, int mode) = 0;             // 26
  virtual void ClearSelection() = 0;                                // 27
  virtual void ClickSelect(VoIItem* item, int mode) = 0;            // 28
  virtual int IsSelected(VoIItem* item) = 0;                        // 29
  virtual int IsSelectedItem(VoIItem* item) = 0;                    // 30: same as 29
  virtual void QueueItem(VoIItem* item) = 0;                        // 31
  virtual void CreateBranchControls(VoIBranch* branch, VoIMotion* motion) = 0;      // 32
  virtual void CreateItemControls(VoICharacter* character, VoIMotion* motion) = 0;  // 33

 protected:
  ~HostInterface() = default;
};

// The host travels through the pointer-sized flags word of Import, Export and
// Execute; 0 means no host.
inline HostInterface* HostFromFlags(unsigned long flags) {
  return reinterpret_cast<HostInterface*>(flags);
}
inline unsigned long FlagsFromHost(HostInterface* host) {
  return reinterpret_cast<unsigned long>(host);
}
