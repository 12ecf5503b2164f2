// The candlestick host: the candlestick chart beside a depth window. It relays the chart's
// notifications to the main window and wraps the chart library's exports.
#pragma once
#include <afxmt.h>
#include <atomic>
#include "ChartHostBase.h"
#include "ChartTitleInfo.h"
#include "HistoryPacket.h"
#include "HostsResource.h"

class CKLineDlg : public CChartHostBase
{
public:
    enum { IDD = IDD_KLINE_HOST };

    explicit CKLineDlg(CWnd* pParent);
    ~CKLineDlg() override;

    void AddPacket(HistoryPacket* pPacket);
    void AddData(WickplotBar* pBar);
    void SetTitleInfo(ChartTitleInfo title);
    void SetPrecision(int* pDecimals);
    void Operate(int op, int type);

    CString GetSymbol();
    void SetSymbol(const CString& symbol);

    // Set once the chart has taken a history packet; real-time bars wait for it.
    bool IsLive() const { return m_live.load(); }
    void SetLive(bool live) { m_live.store(live); }

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnNeedHistory(WPARAM, LPARAM);
    afx_msg LRESULT OnPacketTaken(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CCriticalSection m_symbolLock;
    CString m_symbol;
    CBrush m_background;
    std::atomic<bool> m_live{false};
};
