// VoICharacter: the unit a host animates and draws; binds one motion at a time.
#pragma once

#include <list>

#include "vocore/scene/VoExFile.h"
#include "vocore/scene/VoIObject.h"

// Ties a keyed control to the item member it drives.
class VoControlConnect {
 public:
  VoControlConnect(VoIItem* item, VoIControl* control);
  VoRefer<VoIItem> item;
  VoRefer<VoIControl> control;
};

class VoICharacter : public VoIObject {
 public:
  enum : unsigned long { CLASS_ID = 3 };
  explicit VoICharacter(VoIBranch* parent = nullptr);
  ~VoICharacter() override;

  VoItemClassDesc& GetClassDesc() override { return classDesc; }
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 18; }
  VoICharacter* IsCharacter() override { return this; }

  float GetTime() const { return time; }
  void SetTime(float t) { time = t; }
  VoIMotion* GetMotion() const;
  VoISkelton* GetSkelton();

  VoExFile fileName;
  int readOnly = 0;
  float time = 0.0f;
  VoRefer<VoIMotion> motion;
  std::list<VoControlConnect> connections;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
