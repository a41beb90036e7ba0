#include "vocore/item/ParameterMap.h"

void ParameterMap::AddParameter(Parameter& p) {
  p.index = static_cast<unsigned short>(map.size());
  if (!p.name) return;
  map.emplace(p.name, p);
}

Parameter* ParameterMap::GetParameter(const char* name, unsigned short type) {
  if (!name) return nullptr;
  auto it = map.find(name);
  if (it == map.end() || it->second.type != type) return nullptr;
  return &it->second;
}

Parameter* ParameterMap::GetParameter(int index) {
  for (auto& [key, p] : map)
    if (p.index == index) return &p;
  return nullptr;
}
