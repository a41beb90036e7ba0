// ParameterMap: the published members of one class, keyed by member name.
#pragma once

#include <map>
#include <string>

#include "vocore/item/Parameter.h"

class ParameterMap {
 public:
  // Numbers p by registration order and files a copy; a name already present
  // keeps its first entry.
  void AddParameter(Parameter& p);
  // The entry of that name when its type matches; null otherwise.
  Parameter* GetParameter(const char* name, unsigned short type);
  // The entry with that registration index; null when none.
  Parameter* GetParameter(int index);
  int Size() const { return static_cast<int>(map.size()); }

  std::map<std::string, Parameter> map;
};
