// The property page's rows: one per published, non-private parameter of an
// item, laid out as the page has always placed them, and the reading and
// writing of the item's member behind each row. No widgets here.
#pragma once

#include <vector>

#include "ferrox/math/Pvector.h"
#include "ferrox/string/Pstring.h"

class Parameter;
class VoIItem;

struct PropertyRect {
  int left, top, right, bottom;
};

struct PropertyRow {
  Parameter* parameter = nullptr;
  int firstId = 0;  // control ids firstId, firstId + 1, ...
  PropertyRect label{};
  // Edits (up to three), a drop-down list, or a check box, by type.
  std::vector<PropertyRect> fields;
};

namespace PropertyRows {

// Rows from y = 5 and ids from 1000. Empty when no parameter is shown (the
// page then shows "プロパティはありません" at (5, 6, 245, 20) with id 1000).
std::vector<PropertyRow> Build(VoIItem* item);

// Member access by the row's type. Vectors, quaternions (as Euler degrees:
// Y, X, Z) and four-component vectors read and write three components; a
// four-component vector's fourth stays.
float ReadFloat(VoIItem* item, const Parameter& p);
void WriteFloat(VoIItem* item, const Parameter& p, float value);
int ReadInt(VoIItem* item, const Parameter& p);
void WriteInt(VoIItem* item, const Parameter& p, int value);
Frx::Pvector ReadVector(VoIItem* item, const Parameter& p);
void WriteVector(VoIItem* item, const Parameter& p, Frx::Pvector value);
Frx::Pstring ReadString(VoIItem* item, const Parameter& p);
void WriteString(VoIItem* item, const Parameter& p, const char* text);
// The referenced item's name; empty for an empty reference.
Frx::Pstring ReadReferName(VoIItem* item, const Parameter& p);
// The enumeration's names; empty when the parameter has none.
std::vector<Frx::Pstring> EnumNames(const Parameter& p);

}  // namespace PropertyRows
