// The main window's frame: caption and borders, menu bar, toolbar, layout, trade panel states,
// status bar and connection states, coming on screen after start-up, and the end.
#include "VelmoraDlg.h"

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "ConnectionStatus.h"
#include "DeskProbe.h"
#include "FrameMessages.h"
#include "FrameResource.h"
#include "ImageCache.h"
#include "MainReceiverHost.h"
#include "MessageFilter.h"
#include "ReceiverSet.h"
#include "ReplyMessages.h"
#include "ServerClockTicker.h"
#include "ShutdownReport.h"
#include "ThreadWait.h"
#include "VelmoraApp.h"

#include <memory>

namespace {

const UINT kTimerIds[] = {1, 2, 3, 4, 5};
const UINT kStatusIndicators[kStatusPaneCount] = {0, 0, 0, 0, 0, 0};

void LogMissing(const char* what)
{
    CString line;
    line.Format("Tolvan: %s: nothing handles it yet\n", what);
    ::OutputDebugStringA(line);
}

}  // namespace

// The frame's start: menu bar, toolbar, caption, status bar, the first layout and the window
// parked off-screen until start-up reports (WM_SHOW_NOTICES).
void CVelmoraDlg::InitFrame()
{
    SetWindowText("Tolvan证券");
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    if (CMenu* systemMenu = GetSystemMenu(FALSE))
    {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty())
        {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    CRect client;
    GetClientRect(&client);
    m_captionFrame.MenuBar().Create(client.Width());
    m_toolbar.Create(m_hWnd, client.Width());
    CreateFrameButtons();

    m_workArea.left = 0;
    m_workArea.top = 0;
    m_workArea.right = ::GetSystemMetrics(SM_CXSCREEN);
    m_workArea.bottom = ::GetSystemMetrics(SM_CYSCREEN);
    MoveWindow(-10000, -10000, m_workArea.right, m_workArea.bottom, TRUE);
    GetClientRect(&client);
    m_nSplit = InitialSplit(client.Height());
    LayoutChildren(client.Width(), client.Height(), m_nSplit);
    ModifyStyleEx(WS_EX_APPWINDOW, 0);
}

// The last step of the initialisation, once every concern has set itself up. Posted only now:
// a box shown while the concerns set up (a damaged self list) pumps the queue, and the window
// must not come on screen over the box that holds the start.
void CVelmoraDlg::EndFrameInit()
{
    m_bInitialised = true;
    PostMessage(WM_FRAME_STARTUP_FINISHED);
}

void CVelmoraDlg::CreateFrameButtons()
{
    FrameMetrics metrics;
    metrics.captionHeight = 38;
    metrics.borderWidth = 8;
    m_captionFrame.SetMetrics(metrics);
    m_captionFrame.SetSkin(IDB_FRAME_SKIN, m_hIcon);
    m_captionFrame.AddStandardButtons();
    CreateStatusBar();
    SendMessage(WM_CONNECTION_STATE, CONNECTION_KIND_ORDER, TradeConnectionState);
    SendMessage(WM_CONNECTION_STATE, CONNECTION_KIND_QUERY, QueryConnectionState);
    if (GetConnectionRegistry().GetProxyTradeSession() != nullptr)
        SendMessage(WM_CONNECTION_STATE, CONNECTION_KIND_OWN_TRADE, ProxyTradeConnectionState);
    // The client shrinks to the drawn frame from now on.
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    m_captionFrame.UpdateWindowRegion(0);
    m_bFrameReady = 1;
}

void CVelmoraDlg::CreateStatusBar()
{
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return;
    m_statusBar.SetIndicators(kStatusIndicators, kStatusPaneCount);
    ShowServerClockText();
}

void CVelmoraDlg::ShowServerClockText()
{
    if (m_statusBar.GetSafeHwnd() != NULL)
        m_statusBar.SetPaneText(CServerClockTicker::kClockPane, m_strServerClockText);
}

// ---- caption and frame ----

LRESULT CVelmoraDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The theme's own caption and frame repaints would draw over ours.
    if (message == 0x00AE || message == 0x00AF)
        return 0;
    const LRESULT result = CDialogEx::DefWindowProc(message, wParam, lParam);
    // The system draws its caption when the title or icon changes; ours goes back on top.
    if ((message == WM_SETTEXT || message == WM_SETICON) && m_bFrameReady)
        m_captionFrame.Paint();
    return result;
}

void CVelmoraDlg::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    m_captionFrame.NcCalcSize(bCalcValidRects, lpncsp);
}

LRESULT CVelmoraDlg::OnNcHitTest(CPoint point)
{
    return m_captionFrame.NcHitTest(point, CDialogEx::OnNcHitTest(point));
}

void CVelmoraDlg::OnNcPaint()
{
    if (m_bFrameReady)
        m_captionFrame.Paint();
    else
        Default();
}

BOOL CVelmoraDlg::OnNcActivate(BOOL bActive)
{
    const BOOL result = CDialogEx::OnNcActivate(bActive);
    if (m_bFrameReady)
        m_captionFrame.Paint();
    return result;
}

void CVelmoraDlg::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_captionFrame.NcMouseMove(nHitTest, point, [&] { CDialogEx::OnNcMouseMove(nHitTest, point); });
}

void CVelmoraDlg::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    m_captionFrame.NcLButtonDown(nHitTest, point, [&] { CDialogEx::OnNcLButtonDown(nHitTest, point); });
}

void CVelmoraDlg::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    const int item = m_captionFrame.MenuBar().HitTest(point.x - window.left, point.y - window.top);
    if (item != FrameMenuBar::ITEM_NONE && m_captionFrame.MenuBar().State(item) == 2)
    {
        m_captionFrame.MenuBar().SetState(item, 1);
        m_captionFrame.Paint();
        MenuBarCommand(item);
        return;
    }
    m_captionFrame.NcLButtonUp(nHitTest, point, [&] { CDialogEx::OnNcLButtonUp(nHitTest, point); });
}

void CVelmoraDlg::OnNcMouseHover(UINT /*nHitTest*/, CPoint /*point*/)
{
    m_captionFrame.NcMouseHover();
}

void CVelmoraDlg::OnNcMouseLeave()
{
    m_captionFrame.NcMouseLeave();
}

void CVelmoraDlg::MenuBarCommand(int item)
{
    switch (item)
    {
    case FrameMenuBar::ITEM_SYSTEM:
    {
        // The window's own system menu, opened under the item.
        CRect window;
        GetWindowRect(&window);
        const RECT place = m_captionFrame.MenuBar().ItemRect(item);
        CMenu* systemMenu = GetSystemMenu(FALSE);
        if (systemMenu != nullptr)
        {
            const UINT command = ::TrackPopupMenu(systemMenu->GetSafeHmenu(), TPM_RETURNCMD | TPM_LEFTALIGN,
                                                  window.left + place.left, window.top + place.bottom, 0, m_hWnd,
                                                  NULL);
            if (command != 0)
                SendMessage(WM_SYSCOMMAND, command, 0);
        }
        break;
    }
    case FrameMenuBar::ITEM_ABOUT:
        SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        break;
    default:
        LogMissing("menu \"报表\"");
        break;
    }
    m_captionFrame.MenuBar().ClearStates();
    m_captionFrame.Paint();
}

void CVelmoraDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CDialog about(IDD_ABOUTBOX, this);
        about.DoModal();
        return;
    }
    CDialogEx::OnSysCommand(nID, lParam);
    if ((nID & 0xFFF0) == SC_MINIMIZE)
        ShowChartHost(false);
}

HCURSOR CVelmoraDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CVelmoraDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (IsIconic())
    {
        const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    dc.FillSolidRect(&client, 0xF0F0F0);
    dc.FillSolidRect(kQuoteAreaLeft, m_quoteArea.y, client.right - kQuoteAreaLeft, m_quoteArea.height, RGB(0, 0, 0));
}

void CVelmoraDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = 600;
    lpMMI->ptMinTrackSize.y = 300;
    CDialogEx::OnGetMinMaxInfo(lpMMI);
}

void CVelmoraDlg::OnMove(int x, int y)
{
    CDialogEx::OnMove(x, y);
    m_windowPosition = CPoint(x, y);
}

void CVelmoraDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == 0 && lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        lpMeasureItemStruct->itemWidth = 62;
        lpMeasureItemStruct->itemHeight = ::GetSystemMetrics(SM_CYMENU);
    }
    CDialogEx::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CVelmoraDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != 0)
    {
        CDialogEx::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    FrameMenuBar& bar = m_captionFrame.MenuBar();
    const RECT first = bar.ItemRect(FrameMenuBar::ITEM_SYSTEM);
    const RECT last = bar.ItemRect(FrameMenuBar::ITEM_ABOUT);
    RECT band = {first.left, first.top, last.right, first.top + ::GetSystemMetrics(SM_CYMENUSIZE)};
    HBRUSH brush = ::CreateSolidBrush(0xEEEEEE);
    ::FillRect(lpDrawItemStruct->hDC, &band, brush);
    ::DeleteObject(brush);
    bar.SetState(static_cast<int>(lpDrawItemStruct->itemID), MenuItemStateFor(lpDrawItemStruct->itemState));
}

LRESULT CVelmoraDlg::OnSetDragCursor(WPARAM wParam, LPARAM)
{
    ::SetCursor(::LoadCursor(NULL, MAKEINTRESOURCE(wParam)));
    return 0;
}

// Close button, system menu and Esc all come here: the user confirms first.
void CVelmoraDlg::OnCancel()
{
    // The end pumps messages while the workers stop: a second close asks nothing.
    if (m_bShuttingDown)
        return;
    if (MessageBox("您确定要关闭程序吗？", "Tolvan证券", MB_OKCANCEL) == IDOK)
        CDialogEx::OnCancel();
}

// ---- layout and trade panel ----

void CVelmoraDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (m_bFrameReady)
    {
        m_captionFrame.UpdateWindowRegion(nType);
        if (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED)
            m_captionFrame.Paint();
    }
    ShowChartHost(nType != SIZE_MINIMIZED);
    m_toolbar.Move(cx);
    LayoutChildren(cx, cy, m_nSplit);
    Invalidate();
}

void CVelmoraDlg::LayoutChildren(int width, int height, int split)
{
    const PanelLayout layout = ComputePanelLayout(width, height, split, m_nTradePanelState);
    m_quoteArea = layout.quoteArea;
    const CRect quote(layout.quoteArea.ToRect());
    PlaceBoard(quote);
    PlaceCharts(quote);
    if (layout.tradePanelPlaced && m_hTradePanel != NULL && ::IsWindow(m_hTradePanel))
    {
        m_tradePanelArea = layout.tradePanelArea;
        const LayoutArea& area = m_tradePanelArea;
        ::MoveWindow(m_hTradePanel, area.x, area.y, area.width, area.height, TRUE);
    }
    if (IsIconic() || m_statusBar.GetSafeHwnd() == NULL)
    {
        Invalidate();
        return;
    }
    for (int pane = 0; pane < kStatusPaneCount; ++pane)
        m_statusBar.SetPaneInfo(pane, AFX_IDW_STATUS_BAR, 0, layout.statusPaneWidth);
    m_statusBar.MoveWindow(layout.statusBar.x, layout.statusBar.y, layout.statusBar.width, layout.statusBar.height);
    Invalidate(TRUE);
}

void CVelmoraDlg::ApplySplit(int split)
{
    m_nSplit = split;
    CRect client;
    GetClientRect(&client);
    LayoutChildren(client.Width(), client.Height(), m_nSplit);
}

void CVelmoraDlg::SetTradePanelDocked()
{
    m_nTradePanelState = TRADE_PANEL_DOCKED;
    if (m_hTradePanel == NULL || !::IsWindow(m_hTradePanel))
        return;
    CWnd* panel = CWnd::FromHandle(m_hTradePanel);
    panel->ModifyStyle(WS_POPUP, WS_CHILD);
    panel->SetParent(this);
    panel->ShowWindow(SW_SHOW);
    SetTradePanelFloating(false);
}

void CVelmoraDlg::ToggleTradePanel()
{
    const bool panel = m_hTradePanel != NULL && ::IsWindow(m_hTradePanel);
    if (m_nTradePanelState == TRADE_PANEL_HIDDEN)
        SetTradePanelDocked();
    else
    {
        m_nTradePanelState = TRADE_PANEL_HIDDEN;
        if (panel)
            ::ShowWindow(m_hTradePanel, SW_HIDE);
    }
    ApplySplit(m_nSplit);
}

LRESULT CVelmoraDlg::OnHideTradePanel(WPARAM, LPARAM)
{
    m_nTradePanelState = TRADE_PANEL_HIDDEN;
    if (m_hTradePanel != NULL && ::IsWindow(m_hTradePanel))
        ::ShowWindow(m_hTradePanel, SW_HIDE);
    ApplySplit(m_nSplit);
    return 0;
}

LRESULT CVelmoraDlg::OnFloatTradePanel(WPARAM, LPARAM)
{
    const bool panel = m_hTradePanel != NULL && ::IsWindow(m_hTradePanel);
    if (m_nTradePanelState == TRADE_PANEL_FLOATING)
    {
        SetTradePanelDocked();
        ApplySplit(m_nSplit);
    }
    else if (m_nTradePanelState == TRADE_PANEL_DOCKED)
    {
        m_nTradePanelState = TRADE_PANEL_FLOATING;
        if (panel)
        {
            CWnd* window = CWnd::FromHandle(m_hTradePanel);
            window->ModifyStyle(WS_CHILD, WS_POPUP);
            window->SetParent(CWnd::GetDesktopWindow());
            window->ShowWindow(SW_SHOW);
            SetTradePanelFloating(true);
        }
        ApplySplit(m_nSplit);
        if (panel)
        {
            CRect client;
            GetClientRect(&client);
            ClientToScreen(&client);
            CRect own;
            ::GetClientRect(m_hTradePanel, &own);
            const RECT place = FloatingPanelPlace(client, own.Height());
            ::SetWindowPos(m_hTradePanel, NULL, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, SWP_NOZORDER | SWP_SHOWWINDOW);
        }
    }
    return 0;
}

// ---- toolbar ----

void CVelmoraDlg::ApplyPeriodButtons(const CString& sector, bool hasSelectedRow, const CString& marketKey)
{
    m_toolbar.ApplyPeriodButtons(PeriodButtonsFor(sector, hasSelectedRow, marketKey));
}

LRESULT CVelmoraDlg::OnToolbarQuoteList(WPARAM, LPARAM) { RequestChartView(0, -1, false); return 0; }
LRESULT CVelmoraDlg::OnToolbarTrend(WPARAM, LPARAM) { RequestChartView(2, -1, false); return 0; }
LRESULT CVelmoraDlg::OnToolbarDay(WPARAM, LPARAM) { RequestChartView(1, 0, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarWeek(WPARAM, LPARAM) { RequestChartView(1, 5040, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMonth(WPARAM, LPARAM) { RequestChartView(1, 43200, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMinute1(WPARAM, LPARAM) { RequestChartView(1, 1, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMinute5(WPARAM, LPARAM) { RequestChartView(1, 5, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMinute15(WPARAM, LPARAM) { RequestChartView(1, 15, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMinute30(WPARAM, LPARAM) { RequestChartView(1, 30, true); return 0; }
LRESULT CVelmoraDlg::OnToolbarMinute60(WPARAM, LPARAM) { RequestChartView(1, 60, true); return 0; }

LRESULT CVelmoraDlg::OnChartZoomIn(WPARAM, LPARAM)
{
    ZoomChart(1);
    return 0;
}

LRESULT CVelmoraDlg::OnChartZoomOut(WPARAM, LPARAM)
{
    ZoomChart(2);
    return 0;
}

// ---- connection states and start-up ----

LRESULT CVelmoraDlg::OnConnectionState(WPARAM wParam, LPARAM lParam)
{
    const ConnectionStatusView view = DescribeConnectionState(static_cast<int>(wParam), static_cast<int>(lParam),
                                                              m_newVersionFound, TradeConnectionState,
                                                              QueryConnectionState);
    if (!view.known)
        return 0;
    if (m_statusBar.GetSafeHwnd() != NULL)
        m_statusBar.SetPaneText(view.pane, view.paneText);
    if (view.header == ConnectionStatusView::HEADER_STATUS)
        ShowPlatformStatus(view.headerText, view.headerColor, view.headerLink);
    else if (view.header == ConnectionStatusView::HEADER_ACCOUNT_SUMMARY)
        ShowAccountSummary();
    if (view.clearOrdersAndPositions)
        ClearOrdersAndPositions();
    NoteConnectionState(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT CVelmoraDlg::OnStartupFinished(WPARAM, LPARAM)
{
    // Without an instrument-list thread nothing else would bring the window on screen; a
    // report that came while the initialisation still ran is taken now.
    if (!IsSymbolListStarted() || m_bStartupDeferred)
        SendMessage(WM_SHOW_NOTICES);
    return 0;
}

LRESULT CVelmoraDlg::OnStartupDone(WPARAM, LPARAM)
{
    if (m_bStartupShown)
        return 0;
    if (!m_bInitialised)
    {
        m_bStartupDeferred = true;
        return 0;
    }
    // Comes on screen now, whether or not the dialog's loop has had an idle moment to show
    // the window: with quotes streaming in it may never have one.
    m_bStartupShown = true;
    DestroyBoardSplash();
    ModifyStyleEx(0, WS_EX_APPWINDOW);
    MoveWindow(&m_workArea, TRUE);
    ShowWindow(SW_MAXIMIZE);
    // Focus first: the notice, an owned window, then comes up over the activated window
    // instead of being pushed under it.
    SetFocus();
    CString noticeId;
    if (BoardNoticeId(noticeId))
    {
        char hidden[260] = {0};
        ::GetPrivateProfileStringA("system", "hide_notice_id", "-1", hidden, sizeof(hidden),
                                   theApp.m_strAppDir + "Config.ini");
        if (!noticeId.IsEmpty() && noticeId != hidden)
            ShowBoardNotice();
    }
    return 0;
}

// ---- the end ----

void CVelmoraDlg::AddShutdownStop(const char* name, ShutdownStage stage, CShutdownPlan::StopFunction stop)
{
    if (!m_shutdownPlan)
        m_shutdownPlan.reset(new CShutdownPlan);
    m_shutdownPlan->Add(stage, name, std::move(stop));
}

// Timers first (nothing of theirs may run in the pump below), then every worker stopped in its
// stage on a thread of its own while this thread keeps answering. Whatever a worker that did
// not end still uses stays alive: its owner keeps it (see ShutDownFrame).
void CVelmoraDlg::StopWorkers()
{
    m_bShuttingDown = true;
    for (UINT timer : kTimerIds)
        KillTimer(timer);
    if (!m_shutdownPlan)
        m_shutdownPlan.reset(new CShutdownPlan);
    m_shutdownPlan->Add(SHUTDOWN_WITH_RECEIVERS, "status-bar clock",
                        [this](DWORD waitMs) { return m_clockThread.Stop(waitMs); });
    CReceiverSet* receivers = m_receivers.get();
    std::shared_ptr<volatile LONG> receiversEnded = m_receiversEnded;
    m_shutdownPlan->Add(SHUTDOWN_WITH_RECEIVERS, "reply receivers", [receivers, receiversEnded](DWORD waitMs) {
        const bool ended = receivers == nullptr || receivers->StopAll(waitMs);
        ::InterlockedExchange(receiversEnded.get(), ended ? 1 : 0);
        return ended;
    });
    m_bWorkerStopsDone = m_shutdownPlan->RunPumping();
    if (!m_bWorkerStopsDone)
    {
        // The stopping thread still runs over the plan and what its stops reach.
        m_shutdownPlan.release();
    }
}

// After the workers: the receivers' objects, the connections and the menu bar.
void CVelmoraDlg::ShutDownFrame()
{
    if (*m_receiversEnded == 0)
    {
        // A receiver thread still runs: its receiver and the host it delivers through stay.
        m_receivers.release();
        m_receiverHost.release();
    }
    else
        m_receivers.reset();
    GetConnectionRegistry().DisconnectAll();
    m_captionFrame.MenuBar().Destroy();
}

void CVelmoraDlg::ReportTheEnd()
{
    if (!CDeskProbe::StatePath().IsEmpty())
        CDeskProbe::WriteState(CShutdownReport::Text(m_shutdownPlan.get(), m_bWorkerStopsDone, ThreadsLeftRunning()));
}

void CVelmoraDlg::PostNcDestroy()
{
    // Every child window is gone by now: nothing draws with the cached images any more.
    CImageCache::Release();
    CDialogEx::PostNcDestroy();
}
