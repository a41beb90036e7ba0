// CTireloDoc: the editor's one document. It holds counted references to the
// fixed characters ("project", "general"), the scoped character, the pose
// clipboard, the view camera and the selection, the playback state, the
// preview and manipulator settings, and the deferred (auto-key) list that the
// frame loop drains. Every change of the scene goes through it or through the
// host interface, which acts on it. It has no widgets: questions go through
// ShowMessage and file choices through DocumentPrompts.
#pragma once

#include <cstdint>
#include <list>

#include "ferrox/string/Pstring.h"
#include "vocore/item/VoRefer.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

class DocumentPrompts;
class VoMasterSavora;

class CTireloDoc {
 public:
  using ItemList = std::list<VoRefer<VoIItem>>;

  // Records itself as the program's document (GetDocument). `master` is not
  // owned and outlives the document.
  explicit CTireloDoc(VoMasterSavora* master);
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
  void QueueDeferred(VoIItem* item);
  void CopyPose();
  void PastePose();
  VoICharacter* NewCharacter(VoIBranch* parent, VoIItem* source = nullptr);
  VoIMotion* NewMotion(VoIBranch* parent, VoIItem* source = nullptr);

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

  // Reads settingsPath into the preview settings (missing keys keep defaults).
  void ReadSettingsFile();

  // The command line's file: imported into "project", a character becomes
  // the scoped and selected one. 1 unless the import failed.
  int OpenDocumentFile(const char* path);

  // "savora.ini" in the program folder (empty: none, tests use their own).
  Frx::Pstring settingsPath;
  VoMasterSavora* master;
  DocumentPrompts* prompts = nullptr;

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
