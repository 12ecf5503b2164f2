// An order event of a client account as the proxy user's own trading connection reports it:
// the client's account, then the twelve fields of the order in the protocol's order. It is
// also the row of the order-supplement console's order list.
#pragma once
#include <afx.h>

struct OrderRow
{
    CString clientName;
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
