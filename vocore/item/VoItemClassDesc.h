// VoItemClassDesc: the registry entry of an item class (id, name, members).
#pragma once

#include <string>

#include "vocore/item/ParameterMap.h"

class VoItemClassDesc {
 public:
  VoItemClassDesc(const char* name, unsigned long id, unsigned long unused = 0);

  void AddParameter(Parameter& p) { parameters.AddParameter(p); }

  unsigned long classId;
  std::string className;
  ParameterMap parameters;
};
