// Frx::Pscanf: matches one pattern at a moving cursor over zero-terminated
// Shift-JIS text. Every text reader of the system parses with it.
#pragma once

#include <cstdarg>

namespace Frx {

// Matches pattern at cursor. On success the cursor moves past the matched text and
// the new cursor is returned; on failure the cursor stays where it was and null is
// returned (values stored by conversions before the failing element stay stored).
// A null cursor or pattern gives null.
//
// Pattern elements:
//   " "        skips text bytes 1..32; never fails.
//   %d %D      int*: optional white space, sign and digits are converted; the cursor
//   %x %X      then moves over digits and "-" only ("%x" is decimal, as "%d"). Out of
//              range values saturate. "+5" stores 5 but the cursor stays at "+".
//   %f %F      float*: as %d, with an optional "." and fraction; no exponent. The
//              cursor moves over digits, "." and "-".
//              Both number forms fail when the text ends right after the number, so a
//              number must be followed by at least one more byte. They also fail where
//              there is no number: no digit to convert and no byte for the cursor to
//              move over (the value, 0, is still stored). "-" alone still reads as 0.
//   %s         TWO arguments: a char* buffer and an int size in bytes (terminator
//              included), e.g. Pscanf(p, " name = \"%s\"", name, (int)sizeof name).
//              Copies text up to a TAB, a line feed, the end of the text or the pattern
//              byte that follows %s (not consumed). The stored copy is cut to size - 1
//              bytes without splitting a double-byte character and is always terminated;
//              a size <= 0 or a null buffer stores nothing. The cursor moves over the
//              whole string either way. Never fails.
//   %S         Pstring*: as %s, storing the whole string.
//   %. %|      ends the match with success at once (the end rule is skipped).
//   %%         matches one "%"; "%" before any other byte matches a literal "%".
//   \\ (two)   matches one backslash.
//   double-byte character: both bytes must equal the text's.
//   other byte: must equal the text byte; ASCII letters match without regard to case.
// End rule: after the whole pattern the text byte at the cursor, read as a signed
// byte, must be 32 or less (end, blank, control character or a byte of 0x80 and up).
// The va_list form serves readers that forward their own arguments. A bare 0 or
// nullptr as the only argument would select it: pass typed pointers.
char* Pscanf(const char*& cursor, const char* pattern, ...);
char* Pscanf(const char*& cursor, const char* pattern, va_list arguments);

// The same for a writable cursor.
char* Pscanf(char*& cursor, const char* pattern, ...);
char* Pscanf(char*& cursor, const char* pattern, va_list arguments);

}  // namespace Frx
