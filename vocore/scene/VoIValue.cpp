#include "vocore/scene/VoIValue.h"

void VoIValue::CreateValueTable(unsigned long n) {
  delete[] table;
  table = nullptr;
  count = 0;
  if (n == 0) return;
  table = new Entry[n];
  for (unsigned long i = 0; i < n; ++i) table[i] = Entry{"unknown", {0, 0}};
  count = n;
}
