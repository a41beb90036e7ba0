// The Metasequoia text reader: one pass over the whole file text into a
// plain document. It knows materials, objects (vertex, BVertex and face
// blocks, facet) and the end mark; every other chunk, sub-block and line is
// skipped by its block or its line.
#pragma once

#include <cstddef>
#include <string>

#include "plugins/Pelarn/MqoDocument.h"

namespace Mqo {

// What a file that is no Metasequoia text of our version is refused with.
extern const char* const kRefusedMessage;

// Reads text[0, size) into doc, every vertex coordinate multiplied by scale.
// What it passes over to read on (unreadable objects, faces and lines) is
// noted in doc.skipped.
// text[size] must be 0 (AllocFileRead buffers and std::string data are); zero
// bytes before it end the text except inside the byte range of a BVertex
// block. Returns 1, or 0 with the message in error; doc then holds what was
// read before the failure. Counts in the text only bound the loops: blocks
// end at their closing brace and nothing is allocated by a stated count.
int ParseMqoDocument(const char* text, size_t size, float scale, Document& doc, std::string& error);

// One log line for each kind of thing the reader passed over: the file, the
// line of the first place, how many places and how many lines they covered.
void LogSkipped(const char* path, const char* text, size_t size, const Skipped& skipped);

// The message of a structural fault, naming the reader's source and line.
std::string StructureError(const char* file, int line);

}  // namespace Mqo
