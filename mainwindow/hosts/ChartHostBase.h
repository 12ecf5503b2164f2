// What the two chart hosts share: a chart window of a chart library on the left, a depth
// window 250 pixels wide on the right that the chart can fold away, and thin wrappers of the
// depth library. The host never deletes itself: the main window owns it.
#pragma once
#include <afxdialogex.h>
#include "LadderviewRecords.h"

class CChartHostBase : public CDialogEx
{
public:
    enum { DEPTH_WIDTH = 250 };

    CChartHostBase(UINT templateId, CWnd* pParent);

    CWnd* GetChartWindow() const { return ChartWnd(); }
    CWnd* GetDepthWindow() const { return DepthWnd(); }
    bool IsDepthHidden() const { return m_depthHidden; }

    void UpdateSellBuyParam(DepthLevelsRecord record);
    void UpdateStockInfo(DepthStockInfo record);
    void AddDepthData(DepthTradeTick record);
    void ClearDepthData();
    void ClearSelectStatus();
    void SetDepthPrecision(int* pDecimals);
    void SetSellBuyInfoMode(bool five);

    // The depth panel on (shown beside the chart) or off (the chart fills the host).
    void ShowDepthPanel(bool show);
    void ToggleDepthPanel() { ShowDepthPanel(m_depthHidden); }

protected:
    // Creates the depth window with its first record; the chart is the subclass's.
    void CreateDepthWindow();
    void LayOut();
    // Esc and Enter must not end the host: the main window owns it and its pointer.
    void OnCancel() override {}
    void OnOK() override {}

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnNotifyDepth(WPARAM, LPARAM);
    afx_msg LRESULT OnRelayToParent(WPARAM, LPARAM);
    afx_msg LRESULT OnIgnored(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // Sends the host's popup menu (add to / remove from the own list) to the main window.
    void ShowSelfListMenu();

    // The chart and depth windows belong to the libraries' module states: the program only
    // ever gets temporary objects for them, which die at the next idle time. The handles are
    // kept and an object is asked for at each use.
    CWnd* ChartWnd() const { return m_hChart != NULL ? CWnd::FromHandle(m_hChart) : nullptr; }
    CWnd* DepthWnd() const { return m_hDepth != NULL ? CWnd::FromHandle(m_hDepth) : nullptr; }

    HWND m_hChart = NULL;
    HWND m_hDepth = NULL;
    bool m_depthHidden = false;
    int m_width = 0;
    int m_height = 0;
};
