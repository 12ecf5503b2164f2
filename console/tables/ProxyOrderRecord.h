// An entry of the main window's proxy order lists: the fourteen columns of table "ProxyOrder",
// three texts the main window keeps beside them, and the mark of an entry still to be saved.
#pragma once
#include <afx.h>

struct ProxyOrderRecord
{
    CString DateTime;
    CString ContractName;
    CString Contract;
    CString OrderType;
    CString Bid;
    CString OrderPrice;
    CString OrderCount;
    CString TradedCount;
    CString Status;
    CString mg;
    CString AvePrice;
    CString OrderNo;
    CString ps;
    CString cid;
    CString strExtra1;
    CString strExtra2;
    CString strExtra3;
    unsigned char bSaveMark = 0;
};
