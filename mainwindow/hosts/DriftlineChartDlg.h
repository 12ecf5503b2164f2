// The trend host: the intraday trend chart beside a depth window. It remembers when each
// instrument's trend packet was last handed to the chart.
#pragma once
#include <map>
#include "ChartHostBase.h"
#include "ChartTitleInfo.h"
#include "DriftlineRecords.h"
#include "HostsResource.h"

class DriftlineChartDlg : public CChartHostBase
{
public:
    enum { IDD = IDD_TREND_HOST };

    explicit DriftlineChartDlg(CWnd* pParent);

    void AddTradeRealData(TrendTickNode* pNode);
    // The chart takes the packet and its nodes.
    void AddTradePacket(TrendPacket* pPacket);
    void SetOpenMarketTime(CString open, CString close);
    void SetTitleInfo(ChartTitleInfo* pTitle);
    void SetPrecision(int* pDecimals);

    // Server time (seconds) when a packet with bars of the code was last added; 0 when never.
    int GetPacketTime(const CString& code) const;

    const CString& GetSymbolText() const { return m_symbol; }
    void SetSymbolText(const CString& symbol) { m_symbol = symbol; }

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

private:
    CString m_symbol;
    std::map<CString, int> m_packetTimes;
};
