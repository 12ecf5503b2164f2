// The candlestick chart window. The bars and their rules live in CBarSeries, the view rules
// in ChartNavigation and the drawing in CChartPainter; the window hands packets and
// real-time records to its two workers, keeps the mouse state, sends its notifications and
// paints.
#pragma once

#include <afxdialogex.h>

#include "ChartWorker.h"
#include "Wickplot.h"

#include <BarSeries.h>
#include <ChartLayout.h>
#include <ChartNavigation.h>
#include <ChartPainter.h>
#include <PendingPacketSlot.h>
#include <RealTimeQueue.h>

// Data-driven repaints come at most this often (a timer of this id defers the next one).
const DWORD kMinPaintIntervalMs = 33;
const UINT_PTR kRedrawTimer = 1;
// wParam of WM_WICKPLOT_UPDATE_DRAW for a repaint that is not deferred.
const WPARAM kRedrawNow = 1;
// wParam after real-time bars were merged: the redraw, then the pointer set where it is.
const WPARAM kRedrawAfterMerge = 2;

enum : UINT {
    WM_WICKPLOT_PAGE_OLDER = WM_USER + 2,
    WM_WICKPLOT_PAGE_NEWER = WM_USER + 3,
    WM_WICKPLOT_OWN_FIRST = WM_USER + 4,   // +4 to +10: notices to itself without a parent
    WM_WICKPLOT_OWN_LAST = WM_USER + 10,
    WM_WICKPLOT_ADD_PACKET = WM_USER + 11,
    WM_WICKPLOT_SET_PARENT = WM_USER + 12,
    WM_WICKPLOT_REGIST_ID = WM_USER + 13,
    WM_WICKPLOT_TITLE = WM_USER + 14,
    WM_WICKPLOT_ADD_DATA = WM_USER + 15,
    WM_WICKPLOT_SET_CURSOR = WM_USER + 16,
    WM_WICKPLOT_UPDATE_DRAW = WM_USER + 17,
    WM_WICKPLOT_PRECISION = WM_USER + 21,
    WM_WICKPLOT_OPERATE = WM_USER + 22,
    WM_WICKPLOT_KEY_DOWN = WM_USER + 23,
};

class CWickplotDlg : public CDialogEx
{
public:
    CWickplotDlg();
    ~CWickplotDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    afx_msg LRESULT OnPageOlder(WPARAM, LPARAM);
    afx_msg LRESULT OnPageNewer(WPARAM, LPARAM);
    afx_msg LRESULT OnOwnNotice(WPARAM, LPARAM);
    afx_msg LRESULT OnAddPacket(WPARAM, LPARAM);
    afx_msg LRESULT OnSetParentWnd(WPARAM, LPARAM);
    afx_msg LRESULT OnRegistId(WPARAM, LPARAM);
    afx_msg LRESULT OnTitle(WPARAM, LPARAM);
    afx_msg LRESULT OnAddData(WPARAM, LPARAM);
    afx_msg LRESULT OnSetCursorShape(WPARAM, LPARAM);
    afx_msg LRESULT OnUpdateDraw(WPARAM, LPARAM);
    afx_msg LRESULT OnPrecision(WPARAM, LPARAM);
    afx_msg LRESULT OnOperate(WPARAM, LPARAM);
    afx_msg LRESULT OnKeyDownValue(WPARAM, LPARAM);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnZoomInterval();
    afx_msg void OnIntervalStats();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // Workers.
    static bool DispatchPass(void* self);
    static bool RealTimePass(void* self);
    void LoadHistory(HistoryPacket* pPacket);
    void ResetViewState();
    void ClearBusyFlags();
    // Repaints for new data at most every kMinPaintIntervalMs: a fast tick stream merges
    // many records between two pictures instead of painting each one.
    void RequestRedraw();

    // Navigation (under the chart lock).
    void RunMoveView();
    void SyncSeriesView();
    void MovePointerToCursor();
    void NudgePointer();
    double Pitch() const { return m_view.Pitch(m_layout.PlotWidth()); }
    void Relayout(int width, int height);
    void SelectLinesAt(CPoint point);

    // Notifications.
    void Notify(int index);
    HWND Parent() const { return m_hParent; }

    CBarSeries m_series;            // chart lock
    ChartView m_view;               // chart lock
    ChartLayout m_layout;           // chart lock
    CChartPainter m_painter;        // chart lock
    bool m_bPanelsChanged = true;   // chart lock
    CPendingPacketSlot m_pending;
    CRealTimeQueue m_queue;
    CChartWorker m_dispatcher;
    CChartWorker m_realTime;
    volatile LONG m_historyBusy = 0;
    volatile LONG m_mergeBusy = 0;
    bool m_bKeepAlive = false;      // a worker would not end: the object must outlive it
    DWORD m_lastPaintTick = 0;
    bool m_bRedrawDue = false;      // the redraw timer runs

    HWND volatile m_hParent = NULL;
    UINT m_notices[kWickplotNoticeCount] = {};
    int m_nDecimals = 5;            // chart lock
    ChartTitleInfo m_title;         // title lock

    // Mouse and cross-hair state (chart lock).
    bool m_bCrossShown = false;
    CPoint m_mouse;
    int m_nHoverArea = -1;
    bool m_bDragging = false;
    int m_nDragStartX = 0;
    int m_nSavedFirst = 0;
    int m_nSavedEnd = 0;
    bool m_bSelecting = false;
    CPoint m_selectionStart;
    CPoint m_selectionEnd;
    SelectedLines m_selected;
    bool m_hover[kZoneCount] = {};
};
