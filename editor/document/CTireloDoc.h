// CTireloDoc: the editor's one document. It holds counted references to the
// fixed characters ("project", "general"), the scoped character, the pose
// clipboard, the view camera and the selection, the playback state, the
// preview and manipulator settings, and the deferred (auto-key) list that the
// frame loop drains. Every change of the scene goes through it: selecting,
// scoping, queueing and refreshing the windows are its operations, which the
// host interface hands to plug-ins. It has no widgets: questions go through
// ShowMessage, file choices through DocumentPrompts, the windows through
// EditorUi and the view through DocumentView. It is what the companions
// (CompanionContext) and the time bar (TimeLine) read.
#pragma once

#include <cstdint>
#include <list>

#include "editor/extend/CompanionContext.h"
#include "editor/timebar/TimeLine.h"
#include "ferrox/string/Pstring.h"
#include "vocore/item/VoRefer.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

class DocumentPrompts;
class EditorUi;
class HostInterface;
class VoMasterSavora;

class CTireloDoc final : public CompanionContext, public TimeLine {
 public:
  using ItemList = std::list<VoRefer<VoIItem>>;

  // Records itself as the program's document (GetDocument), the companions'
  // context and the current time line. `master` is not owned and outlives
  // the document; `host` (not owned) is what importers, exporters and command
  // plug-ins receive.
  CTireloDoc(VoMasterSavora* master, HostInterface* host);
  // Writes the settings first (when a settings path is set), then drops the
  // references in reverse order.
  ~CTireloDoc();
  CTireloDoc(const CTireloDoc&) = delete;
  CTireloDoc& operator=(const CTireloDoc&) = delete;

  // Start-up scene: "project", "general" and what "general" holds.
  int BuildStartupScene();
  // Imports `path` (null: asks for one) under `target`; the imported item or null.
  VoIItem* ImportFile(const char* path, VoIBranch* target);
  // ImportFile's work once the path is known.
  VoIItem* ImportInto(const char* path, VoIBranch* target);
  // Exports a character to `path` (null: asks); 1 on success.
  int ExportFile(const char* path, VoIItem* branch);
  // Appends a counted reference to the deferred list; null is ignored.
  void QueueDeferred(VoIItem* item) override;
  // QueueDeferred, then the item's tree entry.
  void QueueItem(VoIItem* item);
  void CopyPose();
  void PastePose();
  VoICharacter* NewCharacter(VoIBranch* parent, VoIItem* source = nullptr);
  // Null, with a log line, when a motion under parent would pass the nesting limit.
  VoIMotion* NewMotion(VoIBranch* parent, VoIItem* source = nullptr);
  static bool RoomForMotion(VoIBranch* parent);

  // Item commands of the item menu, acting on the selected item.
  void OnImportItem();
  void OnExportItem();
  void OnReload();
  void OnScope();
  void OnHide();
  void OnLock();
  void OnDelete();
  void OnRename();
  void OnNewMotion();

  // The selection and the scope, as host slots 22 to 30 describe them.
  VoIItem* GetSelectedItem() override;
  VoICharacter* GetSelectedCharacter();
  VoICharacter* GetCurrentCharacter() override;
  void SetCurrentCharacter(VoICharacter* character);
  void ClearCurrentCharacter();
  void SelectItem(VoIItem* item, int mode);
  void ClearSelection();
  void ClickSelect(VoIItem* item, int mode);
  int IsSelected(VoIItem* item);
  // Appends what lies under window (x, y): the selected character when the
  // time bar is hit, else its nearest hit item.
  void PickItems(ItemList& items, float x, float y, float z);

  // The windows and the view follow: all views (the whole tree), one tree
  // entry (null: the whole tree), an entry that goes, the input handed again.
  void UpdateAllViews();
  void RefreshTreeItem(VoIItem* item);
  void RemoveTreeItem(VoIItem* item);
  void ReplayViewInput();
  // Play and pause as the view frame's tool bar does them (its checks follow).
  int Play() override;
  int Pause();

  // CompanionContext and TimeLine, on the fields below and the program's view.
  int GetEditSpace() override;
  ManipulatorSettings GetManipulatorSettings() override;
  Frx::Draw::PDraw* GetDraw() override;
  IDirect3DTexture8* GetHandleTexture() override;
  VoIItem* GetViewCamera() override;
  void SetViewCamera(VoIItem* camera) override;
  float GetCurrentFrame() override;
  void SetCurrentFrame(float frame) override;
  int GetTimeScroll() override;
  void SetTimeScroll(int scroll) override;
  int GetPixelsPerFrame() override;
  unsigned GetKeyEdits() override;
  void CountKeyEdit() override;
  bool Confirm(const char* question) override;

  // Reads settingsPath into the preview settings (missing keys keep defaults).
  void ReadSettingsFile();

  // The command line's file: imported into "project", a character becomes
  // the scoped and selected one. 1 unless the import failed.
  int OpenDocumentFile(const char* path);

  // "savora.ini" in the program folder (empty: none, tests use their own).
  Frx::Pstring settingsPath;
  VoMasterSavora* master;
  HostInterface* pluginHost;
  DocumentPrompts* prompts = nullptr;
  // The windows; the main frame sets itself (null: none).
  EditorUi* ui = nullptr;

  // --- state, in the order the document was always laid out ---
  void* projectView = nullptr;
  VoRefer<VoICharacter> project;
  VoRefer<VoICharacter> general;
  VoRefer<VoICharacter> current;  // the scoped character
  VoRefer<VoIMotion> copyMotion;  // "copy" under "general", the pose clipboard
  VoRefer<VoIItem> viewCamera;
  VoRefer<VoIItem> selected;
  ItemList itemList;
  ItemList deferred;
  float currentFrame = 0.0f;
  float previousFrame = 0.0f;
  float lastClock = 0.0f;
  int TimeScroll = -10;
  float backgroundColor[3] = {0.0f, 0.0f, 0.0f};
  float celEdgeColor[3] = {0.6f, 0.5f, 0.5f};
  float celEdgeSize = 0.5f;
  uint8_t displayMode = 0;  // 0 standard, 1 interface emphasised, 2 interface hidden
  uint8_t projection = 0;   // 0 perspective, 1 parallel
  uint8_t editSpace = 0;    // 0 local, 1 parent, 2 world
  uint8_t celShading = 0;
  uint8_t realTime = 1;
  uint8_t paused = 1;
  uint8_t reserved = 0;
  uint32_t ManipulatorColors[7] = {0x4CB2B2B2, 0x4CFF99B2, 0x4CB2FF99, 0x4C99B2FF,
                                   0x4CCC66FF, 0x4C66FFCC, 0x4CFFCC66};
  float HandleRadius = 6.0f;
  float ManipulatorSize = 0.25f;
  uint8_t treeRootMode = 0;  // 0 "project", 2 the scoped character, 3 none
  int treeFilter = 7;
  int PixelsPerFrame = 8;
  // The frame remembered when playback started (stop returns to it).
  float playFrame = 0.0f;
  // Counts the edits that may move keys (key drags, keying, commands,
  // imports): a key bar whose count differs rebuilds its marks.
  unsigned keyEdits = 0;
};

// The program's document; null when none exists.
CTireloDoc* GetDocument();

// The folder of the program file, with its trailing separator.
Frx::Pstring ProgramFolder();
