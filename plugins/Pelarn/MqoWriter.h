// The Metasequoia writer: materials and polygons of an item list as a
// document the reader reads back, positions posed in world space and stored
// as binary vertex blocks, line feeds only.
#pragma once

#include <list>
#include <string>

#include "vocore/item/VoRefer.h"

class VoIItem;

namespace Mqo {

enum class Compose { DONE, NOTHING, TOO_LARGE };

// The document text for the items (materials and polygons, in list order).
// NOTHING when no item is a polygon; TOO_LARGE when a polygon has more
// vertices than a vertex block can count.
Compose ComposeMqoText(std::list<VoRefer<VoIItem>>& items, std::string& out);

// Writes the items to path. 1 on success; 0 after a message box when the list
// holds no polygon, the file cannot be opened or a write fails. The file
// replaces an existing one only once it is written whole.
int WriteMqoFile(const char* path, std::list<VoRefer<VoIItem>>& items);

}  // namespace Mqo
