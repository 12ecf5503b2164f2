// One contract of a quote connection's contract list ("[code|name|number|extra]").
#pragma once
#include <afx.h>

struct ContractRecord
{
    CString strCode;
    CString strName;
    int nNumber = 0;
    CString strExtra;   // "NULL" when the entry has only three fields
};
