// Names of numbered screenshots, and the folders they are written into.
#pragma once

#include <string>

// The pattern with "%c" replaced by the character's name, "%m" by the
// motion's and "%f" by the number, four digits with leading zeros (more when
// it is larger); "%%" gives one "%" and any other "%" is kept as it is. The
// pattern never reaches a formatter, so no placeholder or stray "%" can read
// an argument, and the name has no length limit. Shift-JIS double-byte
// characters are copied whole. Null texts count as empty. The names stand for
// one path element each: their "\" and "/" become "_", and so does a name of
// dots alone, so no name read from a file leads out of the pattern's folders.
std::string ShotName(const char* pattern, const char* character, const char* motion, long number);

// Makes every missing folder of a Shift-JIS path whose separators are "\" or
// "/" (a trail byte 0x5C is part of its character, not a separator); the last
// element is the file's name and is not made. Folders are found without
// regard to letter case, as file access finds them. 1 when every folder
// exists or was made; 0 when one exists as something else or cannot be made.
int MakeFolders(const char* path);
