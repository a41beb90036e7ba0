// VoIItem: the base of every element of a scene. An item is a node of its
// parent's ring of children (Frx::Plink) and a counted target (Frx::PrefTarget).
//
// Ownership: construction gives the item one count that belongs to the tree;
// VoMaster::ReleaseItem drops it. Counted references (VoRefer) keep the object
// alive after release but read it as gone. The virtual slot order below is
// relied on by separately compiled plug-ins: append, never reorder.
#pragma once

#include <cstdint>
#include <string>

#include "ferrox/link/Plink.h"
#include "ferrox/link/PrefTarget.h"
#include "ferrox/math/Pmatrix.h"
#include "ferrox/math/Pquaternion.h"
#include "ferrox/math/Pvector.h"
#include "ferrox/string/Pstring.h"
#include "vocore/item/Pcvector.h"
#include "vocore/item/VoItemClassDesc.h"
#include "vocore/item/VoItemFwd.h"
#include "vocore/item/VoRefer.h"

class VoIItem : public Frx::Plink, public Frx::PrefTarget {
 public:
  // Class ids of the engine core.
  enum : unsigned long { CLASS_ID = 1 };
  // State bits.
  enum : unsigned short { STATE_LOCK = 2, STATE_PROBLEM = 4, STATE_MARK10 = 0x10, STATE_MARK20 = 0x20 };

  explicit VoIItem(VoIBranch* parent = nullptr);
  ~VoIItem() override;
  VoIItem(const VoIItem&) = delete;
  VoIItem& operator=(const VoIItem&) = delete;

  // --- primary slots, in order ---
  virtual VoItemClassDesc& GetClassDesc();
  virtual unsigned long GetClassID();
  virtual unsigned long GetNumIcon();
  virtual Frx::Pstring GetNameEx();
  virtual VoIBranch* IsBranch();
  virtual VoITexture* IsTexture();
  virtual VoIMaterial* IsMaterial();
  virtual VoINote* IsNote();
  virtual VoIScript* IsScript();
  virtual VoIDisplay* IsDisplay();
  virtual VoISkelton* IsSkelton();
  virtual VoIFile* IsFile();
  virtual VoICharacter* IsCharacter();
  virtual VoIInstance* IsInstance();
  virtual VoILocate* IsLocate();
  virtual VoICoordinate* IsCoordinate();
  virtual VoIBone* IsBone();
  virtual VoIWLocate* IsWLocate();
  virtual VoISiblingBone* IsSiblingBone();
  virtual VoIObject* IsObject();
  virtual VoIModifier* IsModifier();
  virtual VoIGeometry* IsGeometry();
  virtual VoIPolygon* IsPolygon();
  virtual VoICamera* IsCamera();
  virtual VoILight* IsLight();
  virtual VoIMotion* IsMotion();
  virtual VoIMotionSet* IsMotionSet();
  virtual VoIControl* IsControl();
  virtual VoIKeyControlBase* IsKeyControl();
  virtual VoIControlVector* IsControlVector();
  virtual VoIControlQuaternion* IsControlQuaternion();
  virtual VoIControlString* IsControlString();
  virtual VoIControlRefer* IsControlRefer();
  virtual VoIControlInt* IsControlInt();
  virtual VoIControlFloat* IsControlFloat();
  virtual VoIControlBool* IsControlBool();
  virtual VoIControlTime* IsControlTime();
  virtual void Copy(VoIItem* source);
  virtual int Arrange();
  // Callers outside the update pass use ExecUpdate, which keeps the stamps.
  virtual int Update(unsigned long counter);
  virtual int Load(VoLoad& load);
  virtual int Save(VoSave& save);

  // --- second table (Frx::PrefTarget side) ---
  void DeleteThis() override;
  // Idempotent: a second release does nothing.
  void Release() override;

  // --- linking ---
  // Both refuse a parent that is this item or lies below it, and one under
  // which an item of the moved subtree would lie deeper than the nesting
  // limit (VoDescent.h): the item stays where it was and the log says why.
  void Link(VoIBranch* parent);
  void LinkHead(VoIBranch* parent);
  void Page();
  VoIBranch* GetParent() const;
  // Whether `item` is this item or lies below it.
  bool IsAncestorOf(const VoIItem* item) const;

  // --- names and paths ---
  void SetName(const char* name);
  const char* GetName() const { return name.c_str(); }
  // The name of this item's own class descriptor; null when none.
  const char* GetClassNameA();
  int SetSafetyName(const char* name);
  Frx::Pstring GetPath(VoICharacter* top);
  Frx::Pstring GetFullPath(VoICharacter* top);
  Frx::Pstring GetFullName(VoICharacter* top);

  // --- navigation ---
  VoICharacter* GetParentCharacter();
  VoICharacter* GetLocalCharacter();
  VoISkelton* GetSkelton();
  VoICoordinate* GetLocalCoordinate();
  VoICoordinate* GetParentCoordinate();
  VoILocate* GetParentLocate();
  Frx::Pmatrix GetParentMatrix();

  // --- update bookkeeping ---
  unsigned short SetUpdateFlag(unsigned short bits);
  unsigned short GetUpdateFlag() const { return updateFlag; }
  unsigned short GetUpdatedFlag() const { return updatedFlag; }
  unsigned short GetUpdateStamp() const { return updateStamp; }
  int IsReupdate() const;
  unsigned short ExecUpdate();

  // --- state ---
  void SwHide(int hide) { this->hide = hide; }
  int IsHide() const { return hide; }
  void SwLock(int on);
  int IsLock() const { return state & STATE_LOCK; }
  void SwProblem(int on);
  int IsProblem() const { return state & STATE_PROBLEM; }
  unsigned short GetState() const { return state; }
  void SetState(unsigned short bits) { state = bits; }

  // --- scripts (the item owns one reference of its script) ---
  void SetScript(IScript* script);
  IScript* GetScript() const { return script; }
  void DeleteScript();
  int HasMethod(const char* name);
  int CallMethod(const char* name, ...);

  // --- typed member access through the class registry ---
  Parameter* GetParameter(const char* name, unsigned long type);
  Parameter* GetParameter(unsigned long index);
  int SetParam(const char* name, const Frx::Pvector& value);
  int GetParam(const char* name, Frx::Pvector& value);
  int SetParam(const char* name, const Frx::Pcvector& value);
  int GetParam(const char* name, Frx::Pcvector& value);
  int SetParam(const char* name, const Frx::Pquaternion& value);
  int GetParam(const char* name, Frx::Pquaternion& value);
  int SetParam(const char* name, const char* text);
  int GetParam(const char* name, Frx::Pstring& text);

  // --- host extension ---
  VoItemExtend* GetExtend() const { return extension; }
  void SetExtend(VoItemExtend* extend) { extension = extend; }

  void PrintTree(long depth);

  // Registry entry of class Item; registration adds "name" and "disable".
  static VoItemClassDesc classDesc;
  static void RegistClassDesc(VoItemClassDesc& desc);

 protected:
  // Pointer to the member a parameter describes, or null when absent.
  void* MemberAt(const char* name, unsigned long type);
  unsigned short FlushUpdateFlag();
  friend class VoIBranch;
  friend class VoMaster;

 private:
  void SetParent(VoIBranch* parent);
  // Whether linking under `parent` would make a cycle or pass the nesting
  // limit; logs the refusal.
  bool RefuseLink(VoIBranch* parent);

 public:
  IScript* script = nullptr;
  VoRefer<VoIBranch> parent;
  unsigned short updateStamp = 0;
  unsigned short updateFlag = 0xFFFF;
  unsigned short updatedFlag = 0;
  int hide = 0;
  std::string name;
  unsigned short state = 0;
  VoItemExtend* extension = nullptr;

 private:
  // Set once DeleteThis has begun, so a count that reaches 0 again while the
  // item releases itself there cannot delete it a second time.
  bool deleting_ = false;
};
