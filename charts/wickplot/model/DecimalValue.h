// The number of a price or volume text, as atof reads it.
#pragma once
#include <afx.h>

// Plain decimal texts ("12.34", "-5", "1000") are read directly, which gives the same,
// correctly rounded value as atof at a fraction of its cost (a long history reads several
// hundred thousand of them); every other text goes to atof.
double DecimalValue(const CString& text);
