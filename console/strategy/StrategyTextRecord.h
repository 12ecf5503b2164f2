// The carrier of one strategy text and the result of reading one.
#pragma once
#include <afx.h>

struct StrategyTextRecord
{
    int mode = 0;
    int valid = 0;
    CString text;
    CString name;
};

struct StrategyParseResult
{
    int parsed = 0;
    int verified = 0;
};
