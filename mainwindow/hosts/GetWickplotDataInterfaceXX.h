// The candlestick chart's data-interface window object: kept by the main window as the base
// of its history-data source; it carries three flags and a mode that nothing reads.
#pragma once
#include <afxwin.h>

class GetWickplotDataInterfaceXX : public CWnd
{
    DECLARE_DYNAMIC(GetWickplotDataInterfaceXX)
public:
    GetWickplotDataInterfaceXX() {}
    ~GetWickplotDataInterfaceXX() override {}

    int m_nFlag1 = 1;
    int m_nFlag2 = 1;
    int m_nFlag3 = 1;
    int m_nMode = 2;
};
