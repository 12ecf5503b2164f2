// Normalising numeric texts for display: numbers travel as texts end to end and are shown
// with a fixed number of decimals.
#pragma once
#include <afx.h>

// The numeric text with exactly `decimals` digits after the point (no point for 0). Digits
// beyond are cut, or with `round` rounded half up (away from zero) with carry into the
// integer part. Leading zeros and a "+" go; a "-" stays unless the result is zero. A text
// that is not a plain decimal number (letters, exponent, thousands separators, misplaced or
// repeated signs or points, a lone sign or point) comes back unchanged.
CString FormatNumberString(const CString& text, int decimals, bool round = false);

// "---" when the text reads (as a 32-bit float, 0 when unreadable) below -100; otherwise the
// text unchanged. The servers send large negative values for "no value".
CString FormatDisplayValue(const CString& text);

// "不限次数" (unlimited) for "-1", otherwise FormatDisplayValue.
CString FormatCountText(const CString& text);
