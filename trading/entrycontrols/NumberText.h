// Number texts of the order entry fields, handled as decimal digits (never as floating point,
// so a price grid of 0.05 stays exact).
#pragma once
#include <afx.h>

namespace entry {

// The text with exactly `decimals` digits after the point (cut or zero-padded); signs go,
// a '-' comes back in front of a non-zero value. Texts that are not plain numbers come back
// unchanged (trimmed).
CString FormatNumber(const CString& text, int decimals);

// One spin step of `value` on the grid of `step`, both with `decimals` places: a value off
// the grid snaps to the next grid line in the direction, one on it moves by a step (by one
// unit of the last place when the step is empty). Going down never passes below one step.
// Negative decimals and texts that are not numbers leave the value as it is.
CString StepValue(int decimals, bool up, const CString& step, const CString& value);

}  // namespace entry
