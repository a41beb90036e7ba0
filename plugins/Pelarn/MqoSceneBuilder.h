// The MQO scene builder: text -> document -> items under a branch.
#pragma once

#include <cstddef>
#include <vector>

#include "plugins/Pelarn/MqoDocument.h"

class VoIBone;
class VoIBranch;
class VoMaster;

namespace Mqo {

// Parses text[0, size) (text[size] must be 0), runs the record steps and
// builds materials with their textures, the skeleton and the polygons under
// parent, then lets every item descriptor construct its own items. On a
// failure of parsing or of a step the message goes to theFerrox's error box,
// nothing is made and 0 is returned. Textures are looked up in the folder of
// path and imported through the engine's image importers only.
int BuildMqoScene(const char* path, VoIBranch* parent, const char* text, size_t size);

// The item part alone, for a document whose record steps have run. The tree
// holds every item made. doc is emptied.
void BuildItems(VoMaster& master, Document& doc, const char* textureFolder, VoIBranch* parent);

// The skeleton of the document's locate and bone records (none when it has
// neither) under parent; the bone items by record index.
std::vector<VoIBone*> BuildSkeletonItems(VoMaster& master, const Document& doc, VoIBranch* parent);

}  // namespace Mqo
