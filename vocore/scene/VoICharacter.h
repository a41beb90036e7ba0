// VoICharacter: the unit a host animates and draws. Owns a skeleton, the
// files imported into it, cameras, lights, motions and nested characters,
// and binds one motion at a time: every update turns its time into the
// motion's frame, writes each control's value into the member it drives and
// runs the skeleton's forward pass.
#pragma once

#include <list>

#include "ferrox/math/Pmatrix.h"
#include "vocore/item/VoIObject.h"
#include "vocore/motion/VoIControl.h"
#include "vocore/scene/VoExFile.h"

// Ties a keyed control (or a nested motion) to the item whose member it
// drives. Holds a count on both.
class VoControlConnect {
 public:
  VoControlConnect(VoIItem* item, VoIControl* control);
  // Control value at the frame -> member.
  void Read(float frame);
  // Member -> key of the control at the frame (truncated).
  void Write(float frame);

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
  int Update(unsigned long counter) override;
  int Load(VoLoad& load) override;
  int Save(VoSave& save) override;
  // Draws the object children, and the objects a modifier child holds.
  int Redraw() override;

  float GetTime() const { return time; }
  void SetTime(float t) { time = t; }
  VoIMotion* GetMotion() const;
  // Binds the motion (null unbinds); binding the bound motion again does nothing.
  void SetMotion(VoIMotion* motion);
  // Connects every control of the motion to the item of this character's
  // group it drives; nested motions bind the nested character of their name.
  void RegistAllControl(VoIMotion* motion);
  void ClearAllControl() { connections.clear(); }
  void ReadAllControl(float frame);
  void WriteAllControl(float frame);

  VoISkelton* GetSkelton();
  Frx::Pmatrix GetMatrixC2W();
  void ConvL2W(int force);
  void ConvW2L(int force);
  // Appends every light anywhere below, nested characters included.
  void GetLightList(std::list<VoILight*>& list);
  VoILight* GetAmbientLight();
  VoILight* GetMainLight();
  VoIItem* GetItem(const char* name) { return VoIBranch::GetItem(name); }
  // A new coordinate in this character's skeleton (made when missing).
  VoICoordinate* CreateCoordinate();
  // Hangs this character on a new coordinate inside the other character.
  VoICoordinate* CreateAttachedCoordinate(VoICharacter* other);
  void StabilizePose(int iterations, const std::list<VoILocate*>* dragged);

  VoExFile fileName;
  int readOnly = 0;
  float time = 0.0f;
  VoRefer<VoIMotion> motion;
  std::list<VoControlConnect> connections;
  // The motion the connections were made for. A reference control may
  // re-point `motion` directly; the next update binds what it points at.
  VoRefer<VoIMotion> connected;

  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);
};
