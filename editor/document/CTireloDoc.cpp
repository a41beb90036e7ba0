#include "editor/document/CTireloDoc.h"

#include "editor/document/DocumentPrompts.h"
#include "editor/document/ShowMessage.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/settings/Settings.h"
#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/Path.h"
#include "vocore/item/VoDescent.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"

namespace {
CTireloDoc* theDocument = nullptr;
}

CTireloDoc* GetDocument() { return theDocument; }

CTireloDoc::CTireloDoc(VoMasterSavora* master, HostInterface* host) : master(master), pluginHost(host) {
  theDocument = this;
  Companion::SetContext(this);
  SetCurrentTimeLine(this);
}

CTireloDoc::~CTireloDoc() {
  if (!settingsPath.IsEmpty()) {
    PreviewSettings s;
    std::copy(backgroundColor, backgroundColor + 3, s.backgroundColor);
    std::copy(celEdgeColor, celEdgeColor + 3, s.celEdgeColor);
    s.celEdgeSize = celEdgeSize;
    WriteSettings(s, settingsPath);
  }
  copyMotion.Clear();
  deferred.clear();
  itemList.clear();
  selected.Clear();
  viewCamera.Clear();
  current.Clear();
  general.Clear();
  project.Clear();
  if (theDocument != this) return;
  theDocument = nullptr;
  Companion::SetContext(nullptr);
  SetCurrentTimeLine(nullptr);
}

void CTireloDoc::ReadSettingsFile() {
  PreviewSettings s;
  ReadSettings(s, settingsPath);
  std::copy(s.backgroundColor, s.backgroundColor + 3, backgroundColor);
  std::copy(s.celEdgeColor, s.celEdgeColor + 3, celEdgeColor);
  celEdgeSize = s.celEdgeSize;
}

void CTireloDoc::QueueDeferred(VoIItem* item) {
  if (item) deferred.emplace_back(item);
}

VoICharacter* CTireloDoc::NewCharacter(VoIBranch* parent, VoIItem* source) {
  return master->NewItem<VoICharacter>(parent, source);
}

VoIMotion* CTireloDoc::NewMotion(VoIBranch* parent, VoIItem* source) {
  if (!RoomForMotion(parent)) return nullptr;
  return master->NewItem<VoIMotion>(parent, source);
}

bool CTireloDoc::RoomForMotion(VoIBranch* parent) {
  if (!parent || Vo::Depth(parent) < VoIBranch::MaxDepth) return true;
  Frx::theFerrox.Log("　　\"%s\" の下は階層が深すぎるためモーションを作れません。\n", parent->GetName());
  return false;
}

int CTireloDoc::OpenDocumentFile(const char* path) {
  if (!path || !*path) return 1;
  VoIItem* result = ImportFile(path, project);
  if (!result) return 0;
  if (prompts) prompts->AddRecentFile(path);
  if (VoICharacter* character = result->IsCharacter()) {
    SetCurrentCharacter(character);
    ClickSelect(character, 0);
  }
  return 1;
}

int CTireloDoc::GetEditSpace() { return editSpace; }

ManipulatorSettings CTireloDoc::GetManipulatorSettings() {
  ManipulatorSettings s;
  s.handleRadius = HandleRadius;
  s.manipulatorSize = ManipulatorSize;
  std::copy(ManipulatorColors, ManipulatorColors + Canvas::ColourCount, s.colours);
  return s;
}

VoIItem* CTireloDoc::GetViewCamera() { return viewCamera.Get(); }
void CTireloDoc::SetViewCamera(VoIItem* camera) { viewCamera = camera; }
float CTireloDoc::GetCurrentFrame() { return currentFrame; }
void CTireloDoc::SetCurrentFrame(float frame) { currentFrame = frame; }
int CTireloDoc::GetTimeScroll() { return TimeScroll; }
void CTireloDoc::SetTimeScroll(int scroll) { TimeScroll = scroll; }
int CTireloDoc::GetPixelsPerFrame() { return PixelsPerFrame; }
unsigned CTireloDoc::GetKeyEdits() { return keyEdits; }
void CTireloDoc::CountKeyEdit() { ++keyEdits; }
bool CTireloDoc::Confirm(const char* question) { return ShowMessage(36, "%s", question) == 6; }
