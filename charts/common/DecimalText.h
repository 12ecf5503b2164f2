// Price texts are cut to the decimals the host sets by working on the digits of the text,
// so no binary rounding ever shows on screen.
#pragma once

#include <afx.h>

namespace tolvan::charts {

// The number text with exactly `decimals` fraction digits; when roundHalfUp the first cut
// digit of 5 or more raises the kept digits. Texts that are not plain decimals come back
// unchanged.
CString FormatDecimalText(const CString& text, int decimals, bool roundHalfUp = true);

}  // namespace tolvan::charts
