// One order of the trade protocol's order records, in the protocol's field order.
#pragma once
#include <afx.h>

struct OrderInfo
{
    CString cid;
    CString fnum;
    CString mg;
    CString oid;
    CString ps;
    CString st;
    CString ty;
    CString an;
    CString ot;
    CString cn;
    CString qy;
    CString op;
};
