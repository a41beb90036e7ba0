// The master's side of VoItemServices: each call forwards to VoMaster.
#include "vocore/item/VoItemServices.h"

#include <type_traits>

#include "vocore/item/VoIItem.h"
#include "vocore/vocore/VoClassDescItem.h"
#include "vocore/vocore/VoMaster.h"

// Hosts and plug-ins built apart rely on VoMaster's layout and virtual slots.
static_assert(std::is_empty_v<VoItemServices> && !std::is_polymorphic_v<VoItemServices>,
              "VoItemServices must add neither data nor a virtual table to VoMaster");

namespace {

// Runs fn on a throw-away item of the class; the item is released after.
template <class Fn>
auto WithSample(VoMaster& master, VoClassDescItem* desc, Fn fn)
    -> decltype(fn(static_cast<VoIItem*>(nullptr))) {
  VoIItem* sample = desc ? desc->Create(nullptr) : nullptr;
  auto result = fn(sample);
  if (sample) master.ReleaseItem(sample);
  return result;
}

}  // namespace

VoItemServices* VoItemServices::This() { return VoMaster::This(); }

void VoItemServices::ExecSave(VoIItem* item, VoSave& save) { VoMaster::ExecSave(item, save); }

VoMaster& VoItemServices::Master() { return static_cast<VoMaster&>(*this); }

VoIItem* VoItemServices::CreateItem(unsigned long classId, VoIBranch* parent, VoIItem* source) {
  return Master().CreateItem(classId, parent, source);
}

VoIItem* VoItemServices::CreateItem(const char* className, VoIBranch* parent, VoIItem* source) {
  return Master().CreateItem(className, parent, source);
}

void VoItemServices::CreateState(VoIItem* item) { Master().CreateState(item); }

void VoItemServices::ReleaseItem(VoIItem* item) { Master().ReleaseItem(item); }

void VoItemServices::ReleaseItemExtend(VoIItem* item) { Master().ReleaseItemExtend(item); }

bool VoItemServices::HasClassDesc(unsigned long classId) {
  return Master().GetClassDescItem(classId) != nullptr;
}

int VoItemServices::IsSubclass(VoIItem* item, unsigned long classId) {
  return Master().IsSubclass(item, classId);
}

const char* VoItemServices::GetClassNameA(unsigned long classId) {
  return Master().GetClassNameA(classId);
}

const char* VoItemServices::GetClassNameA(VoIItem* item) { return Master().GetClassNameA(item); }

bool VoItemServices::LookUpMember(const char* className, const char* memberName,
                                  unsigned long& classId, unsigned long& offset) {
  VoMaster& master = Master();
  VoClassDescItem* desc = className ? master.GetClassDescItem(className) : nullptr;
  if (!desc) return false;
  classId = master.GetClassID(desc);
  offset = WithSample(master, desc, [&](VoIItem* sample) -> unsigned long {
    return sample && memberName ? master.GetMemberOffset(sample, memberName) : 0;
  });
  return true;
}

const char* VoItemServices::GetClassMemberName(unsigned long classId, unsigned long offset) {
  VoMaster& master = Master();
  VoClassDescItem* desc = master.GetClassDescItem(classId);
  if (!desc) return nullptr;
  // The name lives in the class's static registry entry, so it outlives the sample.
  return WithSample(master, desc, [&](VoIItem* sample) -> const char* {
    return sample ? master.GetMemberName(sample, offset) : nullptr;
  });
}

unsigned short VoItemServices::GetUpdateCounter() { return Master().GetUpdateCounter(); }

VoICoordinate* VoItemServices::GetWorldCoordinate() { return Master().GetWorldCoordinate(); }

VoRenderer* VoItemServices::GetRender() { return Master().GetRender(); }

VoIItem* VoItemServices::Import(const char* path, VoIBranch* parent, unsigned long flags) {
  return Master().Import(path, parent, flags);
}

int VoItemServices::Export(VoIFile* file, unsigned long flags) {
  return Master().Export(file, flags);
}
