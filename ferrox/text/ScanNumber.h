// The number conversions of Frx::Pscanf. Readers of stored files rely on their exact
// quirks: the value is converted from one span of text, while the cursor moves over a
// different (narrower) set of bytes.
#pragma once

namespace Frx::ScanNumber {

// Decimal integer: optional white space, optional sign, digits; saturates at the
// limits of int. No digits give 0.
int ParseInt(const unsigned char* text);

// Decimal float: optional white space, optional sign, digits, optional "." and
// digits. No exponent; no digits give 0. Values beyond float's range give infinity.
float ParseFloat(const unsigned char* text);

// The cursor move after a conversion: over digits and "-" (and "." with fraction).
const unsigned char* Skip(const unsigned char* text, bool fraction);

// Whether the span the conversion reads holds a digit: optional white space and
// sign, then a digit (or, with fraction, "." and a digit).
bool HasDigits(const unsigned char* text, bool fraction);

}  // namespace Frx::ScanNumber
