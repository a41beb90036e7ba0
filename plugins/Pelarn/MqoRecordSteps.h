// The steps between reading and building that work on the document's records
// alone: skeleton records from bone objects, coordinates of the other
// objects, nesting by name and the depth the items would nest to. Each
// returns 1, or 0 with a message in error. Each is linear (or n log n) in the
// records, however the names chain them.
#pragma once

#include <string>
#include <vector>

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

// Refuses a document whose items would nest more than limit levels below the
// branch imported into (its children are level 1): polygons nested by name,
// and the skeleton (level 1) with its bones and locates linked below it. The
// deepest item and its depth are logged, and error holds a structure error.
// A limit below 1 refuses every document.
int CheckNestingDepth(const Document& doc, int limit, std::string& error);

// The polygon objects by level below the branch, each level in document
// order: every polygon comes after the one it nests in, and the children of
// each come in document order.
std::vector<size_t> PolygonsParentsFirst(const Document& doc);

// The four steps above in order, up to the first that fails.
int RunRecordSteps(Document& doc, int depthLimit, std::string& error);

// Shift-JIS aware helpers of the steps.
namespace Names {
// Position of the first single-byte c, std::string::npos when none.
size_t Find(const std::string& text, char c);
// ASCII letters folded to lower case; double-byte characters kept.
std::string Fold(const std::string& text);
}  // namespace Names

}  // namespace Mqo
