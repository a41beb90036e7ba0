// The steps between reading and building that work on the document's records
// alone: skeleton records from bone objects, coordinates of the other
// objects, and nesting by name. Each returns 1, or 0 with a message in error
// (none of them finds a reason to fail today; the builder still checks).
#pragma once

#include <string>

#include "plugins/Pelarn/MqoDocument.h"

namespace Mqo {

// Objects whose name has the class "bone" or "sbone" ("bone:arms") become
// skeleton sources: a locate record per vertex, a bone record per triangle,
// a line record per two-corner face. Each object's faces index its own
// locate records. Bones are parented by coinciding ends (or through a line),
// never to themselves or in a loop; "[]" in a bone name becomes the side,
// "[R]" or "[L]", by the bone's mean x; locates are named after their bones.
int BuildSkeletonFromObjects(Document& doc, std::string& error);

// Binds every polygon object to a bone record: "name-bone" names the bone
// (and the object becomes "name"), others take the bone whose midpoint is
// nearest their centre. Bones named but missing are logged.
int AssignCoordinates(Document& doc, std::string& error);

// "child|key" (or "child|key|...") makes the object named "child" a child of
// the object whose name (before any "|", after any class "x:") is key.
int NestObjects(Document& doc, std::string& error);

// Shift-JIS aware helpers of the steps.
namespace Names {
// Position of the first single-byte c, std::string::npos when none.
size_t Find(const std::string& text, char c);
// ASCII letters folded to lower case; double-byte characters kept.
std::string Fold(const std::string& text);
}  // namespace Names

}  // namespace Mqo
