// Frx::Path: taking apart and joining Shift-JIS paths. Separators are "/", "|"
// and "\" alike; the class of a path is the text before its first ":" (a drive
// letter or a data-source name). A double-byte character is never split, so a
// trail byte 0x5C is not a separator.
//
// "out" buffers are the caller's and must hold MaxPath bytes (or the path's
// length plus a few bytes). Combine and Canonicalize never write more than
// MaxPath bytes and fail on longer results.
#pragma once

#include "ferrox/string/Pstring.h"

namespace Frx::Path {

constexpr int MaxPath = 260;

bool IsSeparator(char c);

// The last component: the text after the last separator or ":", where a
// separator that ends the path does not count ("a\b\" gives "b\"). Null for a
// null or empty path or an empty component.
const char* FindName(const char* path);

// The "." of the extension of the last component, or the terminator.
char* FindExt(const char* path);

// Copies the component FindName finds into out and returns 1; 0 (out
// untouched) when there is none.
int GetName(char* out, const char* path);
Pstring GetName(const char* path);

// out = text before the first ":" when it comes before any separator, else "".
int GetClass(char* out, const char* path);
int GetDrive(char* out, const char* path);

// out = class, ":" and GetPath(out, path); a path without a class gives only
// its directory part.
int GetClassPath(char* out, const char* path);

// out = the path without its class, cut after the last separator ("D:\dir\a.txt"
// gives "\dir\"); "" when the path has no separator.
int GetPath(char* out, const char* path);

// Drive ("X:" only for a one-letter class) and directory, name and extension
// dropped: "D:\dir\a.txt" gives "D:\dir\"; "data:dir\a" gives "data:dir\".
Pstring GetPath(Pstring path);

// The last component without separators, one trailing separator ignored:
// "a\b\c" and "a\b\c\" give "c".
int GetLastPath(char* out, const char* path);

// 1 when the class of path equals name, ASCII letters compared without case.
int CmpClass(const char* path, const char* name);

// 1 when the extension of path (after its ".") equals ext (given without the
// dot), ASCII letters compared without case; 0 when path has no extension.
int CmpExt(const char* path, const char* ext);

// The shell's path join: b alone when it is absolute (a drive, or a leading
// separator joined to a's root), else a, "\" and b; then canonicalised.
// Returns out, or null (out = "") when the result would not fit MaxPath.
char* Combine(char* out, const char* a, const char* b);
// The same join; empty when it fails.
Pstring Combine(const char* a, const char* b);

// Resolves "." and ".." components (".." never climbs above a root; leading
// ".." of a relative path are kept), keeps the root and any trailing
// separator; an empty path gives "\", a bare drive "X:\". Returns out, or null
// (out = "") on a null argument or a path of MaxPath bytes or more.
char* Canonicalize(char* out, const char* path);

}  // namespace Frx::Path
