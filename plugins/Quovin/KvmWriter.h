// The motion file writer: motions of an item list as "Savora Motion Ver 2"
// text, one TAB of indent per level, written in text mode (CR LF).
#pragma once

#include <list>
#include <string>

#include "vocore/item/VoRefer.h"

class VoIItem;
class VoIMotion;

namespace Kvm {

// Whether the list holds a live motion, that is whether there is anything
// to write.
bool HasMotion(std::list<VoRefer<VoIItem>>& items);

// The file's text with LF line ends: the header, a block for every live
// motion of the list in order, "Eof". Keyed controls of the five written
// kinds are written; other children are not. Text values lose the bytes the
// format cannot hold (a double quote becomes "'", a TAB or line break a
// blank); a float that is infinite is written as a number out of float's
// range, which reads back as the same infinity, and NaN as 0.
std::string ComposeKvmText(std::list<VoRefer<VoIItem>>& items);

// One motion block at depth (TABs), appended to out.
void AppendMotionBlock(std::string& out, VoIMotion* motion, int depth);

// Writes the list's motions to path. 0 after a message box when the list
// holds no motion (nothing is written), 0 without one when the file cannot
// be opened or written (an existing file stays as it was), else 1.
int WriteMotionFile(const char* path, std::list<VoRefer<VoIItem>>& items);

}  // namespace Kvm
