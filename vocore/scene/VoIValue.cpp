#include "vocore/scene/VoIValue.h"

#include <cstring>

VoIValue::~VoIValue() { delete[] table; }

void VoIValue::CreateValueTable(unsigned long n) {
  delete[] table;
  table = nullptr;
  count = 0;
  if (n == 0) return;
  table = new Entry[n];
  for (unsigned long i = 0; i < n; ++i) table[i] = Entry{"unknown", {0, 0}};
  count = n;
}

float VoIValue::GetValue(unsigned long i) const {
  if (i >= count || !table) return 0.0f;
  const uint32_t bits = static_cast<uint32_t>(table[i].word[0]);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void VoIValue::SetValue(unsigned long i, float value) {
  if (i >= count || !table) return;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  table[i].word[0] = bits;
}
