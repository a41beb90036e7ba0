// The intermediate file: characters as nested item blocks, in text mode.
#pragma once

#include <list>

#include "vocore/item/VoRefer.h"

class VoIItem;
class VoICharacter;
class VoSave;

namespace Osmira {

// Writes every live character of the list; 1, or 0 (with a message box) when
// the list holds no character or the file cannot be written. A failed write
// leaves any earlier file as it was.
int WriteIntermediateFile(const char* path, std::list<VoRefer<VoIItem>>& items);

// One character block: its object lines, its skeleton, its kept polygons
// (live positions and faces, not disabled; a polygon nested in a written
// one appears only in that one's block) and its nested characters.
void WriteIntermediateItem(VoSave& save, VoICharacter* character, int depth = 0);

}  // namespace Osmira
