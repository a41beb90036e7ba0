// VoIValue: a table of named value words.
#pragma once

#include <cstdint>

#include "vocore/item/VoIItem.h"

class VoIValue : public VoIItem {
 public:
  enum : unsigned long { CLASS_ID = 69 };
  struct Entry {
    const char* name;
    uintptr_t word[2];  // value words may carry pointers
  };

  explicit VoIValue(VoIBranch* parent = nullptr) : VoIItem(parent) {}
  ~VoIValue() override;
  unsigned long GetClassID() override { return CLASS_ID; }
  unsigned long GetNumIcon() override { return 31; }

  // Replaces the table by count entries { "unknown", 0, 0 }.
  void CreateValueTable(unsigned long n);

  // The float an entry's first word holds (its low 32 bits, as on the
  // original platform); 0 out of range.
  float GetValue(unsigned long i) const;
  void SetValue(unsigned long i, float value);

  unsigned long count = 0;
  Entry* table = nullptr;
};
