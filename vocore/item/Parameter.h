// Parameter: one published member of an item class (name, type, offset, flags).
#pragma once

#include <cstdint>

class Parameter {
 public:
  // Value types of a member.
  enum : unsigned short {
    TYPE_ENUM = 1,
    TYPE_FLOAT = 2,
    TYPE_VECTOR = 3,
    TYPE_QUATERNION = 4,
    TYPE_INT = 5,
    TYPE_STRING = 6,
    TYPE_REFER = 7,
    TYPE_CVECTOR = 10,
  };
  enum : unsigned short { FLAG_PRIVATE = 1, FLAG_READONLY = 2, FLAG_DEFAULT = 4 };

  Parameter() = default;
  Parameter(unsigned short type, uintptr_t value, const char* name, uint32_t offset,
            unsigned short flags, const char* label, unsigned short index = 0)
      : index(index), type(type), value(value), name(name), offset(offset), flags(flags),
        label(label) {}

  // The masked bit (1, 2 or 4), not a boolean.
  int IsPrivate() const { return flags & FLAG_PRIVATE; }
  int IsReadOnly() const { return flags & FLAG_READONLY; }
  int IsDefault() const { return flags & FLAG_DEFAULT; }

  unsigned short index = 0;
  unsigned short type = 0;
  // Class id referred to, the keying control's class id, or the enumeration
  // table's address: pointer-sized, as it may carry a pointer.
  uintptr_t value = 0;
  const char* name = nullptr;
  uint32_t offset = 0;
  unsigned short flags = 0;
  const char* label = nullptr;
};
