#include "WickplotDlg.h"

#include "ChartLocks.h"
#include "WickplotResource.h"

#include <ChartPacket.h>

CWickplotDlg::CWickplotDlg() : CDialogEx(IDD_WICKPLOT, NULL)
{
    ChartLock();   // the library's locks exist before any worker can take them
}

CWickplotDlg::~CWickplotDlg() = default;

BEGIN_MESSAGE_MAP(CWickplotDlg, CDialogEx)
    ON_MESSAGE(WM_WICKPLOT_PAGE_OLDER, &CWickplotDlg::OnPageOlder)
    ON_MESSAGE(WM_WICKPLOT_PAGE_NEWER, &CWickplotDlg::OnPageNewer)
    ON_MESSAGE(WM_USER + 4, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 5, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 6, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 7, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 8, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 9, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_USER + 10, &CWickplotDlg::OnOwnNotice)
    ON_MESSAGE(WM_WICKPLOT_ADD_PACKET, &CWickplotDlg::OnAddPacket)
    ON_MESSAGE(WM_WICKPLOT_SET_PARENT, &CWickplotDlg::OnSetParentWnd)
    ON_MESSAGE(WM_WICKPLOT_REGIST_ID, &CWickplotDlg::OnRegistId)
    ON_MESSAGE(WM_WICKPLOT_TITLE, &CWickplotDlg::OnTitle)
    ON_MESSAGE(WM_WICKPLOT_ADD_DATA, &CWickplotDlg::OnAddData)
    ON_MESSAGE(WM_WICKPLOT_SET_CURSOR, &CWickplotDlg::OnSetCursorShape)
    ON_MESSAGE(WM_WICKPLOT_UPDATE_DRAW, &CWickplotDlg::OnUpdateDraw)
    ON_MESSAGE(WM_WICKPLOT_PRECISION, &CWickplotDlg::OnPrecision)
    ON_MESSAGE(WM_WICKPLOT_OPERATE, &CWickplotDlg::OnOperate)
    ON_MESSAGE(WM_WICKPLOT_KEY_DOWN, &CWickplotDlg::OnKeyDownValue)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_QUERYDRAGICON()
    ON_COMMAND(ID_WICKPLOT_ZOOM_INTERVAL, &CWickplotDlg::OnZoomInterval)
    ON_COMMAND(ID_WICKPLOT_INTERVAL_STATS, &CWickplotDlg::OnIntervalStats)
    ON_WM_DESTROY()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CWickplotDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    MoveWindow(0, 0, 800, 600);
    CRect client;
    GetClientRect(&client);
    {
        CLockGuard lock(ChartLock());
        m_layout = ChartLayout::Compute(client.Width(), client.Height(), kLayoutAllPanels);
    }
    m_hParent = NULL;
    m_historyBusy = m_mergeBusy = 0;
    return TRUE;
}

void CWickplotDlg::OnCancel()
{
    // Escape must not destroy a window its host still holds; the host destroys it.
}

void CWickplotDlg::OnDestroy()
{
    CDialogEx::OnDestroy();
    // The workers read this object: it is deleted only after both have ended.
    bool dispatcherEnded = m_dispatcher.Stop(5000);
    bool realTimeEnded = m_realTime.Stop(5000);
    m_bKeepAlive = !dispatcherEnded || !realTimeEnded;
    CLockGuard lock(ChartLock());
    m_painter.Free();
}

void CWickplotDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    if (!m_bKeepAlive)
        delete this;
}

// ---- exports' messages ----

LRESULT CWickplotDlg::OnAddPacket(WPARAM wParam, LPARAM)
{
    HistoryPacket* pPacket = reinterpret_cast<HistoryPacket*>(wParam);
    if (pPacket == nullptr)
        return 0;
    m_pending.Put(pPacket);
    m_dispatcher.Start(&CWickplotDlg::DispatchPass, this);
    m_dispatcher.Wake();
    return 0;
}

LRESULT CWickplotDlg::OnSetParentWnd(WPARAM wParam, LPARAM)
{
    CWnd* pParent = reinterpret_cast<CWnd*>(wParam);
    if (pParent != nullptr && pParent->GetSafeHwnd() != NULL)
        m_hParent = pParent->GetSafeHwnd();
    return 0;
}

LRESULT CWickplotDlg::OnRegistId(WPARAM wParam, LPARAM lParam)
{
    // An index outside the table would write over the members after it.
    int index = (int)wParam;
    if (index >= 0 && index < kWickplotNoticeCount)
        m_notices[index] = (UINT)lParam;
    return 0;
}

LRESULT CWickplotDlg::OnTitle(WPARAM wParam, LPARAM)
{
    const ChartTitleInfo* pTitle = reinterpret_cast<const ChartTitleInfo*>(wParam);
    if (pTitle == nullptr)
        return 0;
    ChartTitleInfo copy = *pTitle;
    {
        CLockGuard lock(ChartLock());
        copy.strTitle = m_series.TitleName();
    }
    {
        CLockGuard lock(TitleLock());
        m_title = copy;
    }
    RequestRedraw();
    return 0;
}

LRESULT CWickplotDlg::OnAddData(WPARAM wParam, LPARAM)
{
    WickplotBar* pRecord = reinterpret_cast<WickplotBar*>(wParam);
    if (pRecord == nullptr)
        return 0;
    bool accepted;
    {
        CLockGuard lock(ChartLock());
        accepted = m_series.AcceptsRealTimeRecord(*pRecord);
    }
    if (!accepted)
    {
        DestroyWickplotBar(pRecord);
        return 0;
    }
    m_queue.Push(pRecord);
    m_realTime.Start(&CWickplotDlg::RealTimePass, this);
    m_realTime.Wake();
    return 0;
}

LRESULT CWickplotDlg::OnSetCursorShape(WPARAM wParam, LPARAM)
{
    ::SetCursor(::LoadCursor(NULL, MAKEINTRESOURCE(wParam)));
    return 0;
}

LRESULT CWickplotDlg::OnUpdateDraw(WPARAM wParam, LPARAM)
{
    {
        CLockGuard lock(ChartLock());
        m_bPanelsChanged = true;
    }
    // A hidden chart is not painted; its workers must not wait for a paint.
    if (!IsWindowVisible())
        ClearBusyFlags();
    if (wParam == kRedrawNow)
        Invalidate(FALSE);
    else
        RequestRedraw();
    // The window then sees a mouse move over the changed bars: the cross-hair and its
    // figures follow the new data instead of staying on the old bar index.
    // Only a pointer over the chart: elsewhere the move would reach other windows.
    POINT pointer;
    if (wParam == kRedrawAfterMerge && ::GetCursorPos(&pointer) && ::WindowFromPoint(pointer) == m_hWnd)
        NudgePointer();
    return 0;
}

void CWickplotDlg::RequestRedraw()
{
    if (m_bRedrawDue)
        return;
    const DWORD sincePaint = ::GetTickCount() - m_lastPaintTick;
    if (sincePaint >= kMinPaintIntervalMs || !IsWindowVisible())
    {
        Invalidate(FALSE);
        return;
    }
    m_bRedrawDue = SetTimer(kRedrawTimer, kMinPaintIntervalMs - sincePaint, NULL) != 0;
    if (!m_bRedrawDue)
        Invalidate(FALSE);
}

void CWickplotDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRedrawTimer)
    {
        CDialogEx::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kRedrawTimer);
    m_bRedrawDue = false;
    Invalidate(FALSE);
}

LRESULT CWickplotDlg::OnPrecision(WPARAM wParam, LPARAM)
{
    CLockGuard lock(ChartLock());
    // Hosts pass the precision with every quote; only a change needs a new picture.
    if (m_nDecimals == (int)wParam)
        return 0;
    m_nDecimals = (int)wParam;
    m_series.SetDecimals(m_nDecimals);
    m_bPanelsChanged = true;
    Invalidate(FALSE);
    return 0;
}

LRESULT CWickplotDlg::OnOwnNotice(WPARAM, LPARAM)
{
    return 0;
}

void CWickplotDlg::Notify(int index)
{
    HWND hParent = Parent();
    UINT message = m_notices[index];
    switch (index)
    {
    case kWickplotPageOlderButton:
    case kWickplotPageNewerButton:
        if (message != 0 && hParent != NULL)
            ::SendMessage(hParent, message, 0, 0);
        break;
    case kWickplotOlderHistory:
        if (hParent != NULL)
            ::PostMessage(hParent, message, 0, 0);
        break;
    default:   // 2 to 5: without a parent the chart tells itself, which ignores it
        if (hParent == NULL)
            SendMessage(WM_WICKPLOT_OWN_FIRST + (index - kWickplotPanelButton));
        else if (message != 0)
            ::SendMessage(hParent, message, 0, 0);
        break;
    }
}

// ---- workers ----

bool CWickplotDlg::DispatchPass(void* self)
{
    CWickplotDlg* dlg = static_cast<CWickplotDlg*>(self);
    // A load waits until the previous load has been drawn and no merge runs.
    if (dlg->m_historyBusy || dlg->m_mergeBusy)
        return false;
    HistoryPacket* pPacket = dlg->m_pending.Take();
    if (pPacket == nullptr)
        return false;
    InterlockedExchange(&dlg->m_historyBusy, 1);
    dlg->LoadHistory(pPacket);
    return true;
}

void CWickplotDlg::LoadHistory(HistoryPacket* pPacket)
{
    CBarSeries::LoadResult result;
    {
        CLockGuard lock(ChartLock());
        m_queue.Clear();   // records of the previous instrument or period are stale
        result = m_series.LoadPacket(pPacket);
        ResetViewState();
        ChartTitleInfo title;
        {
            CLockGuard titleLock(TitleLock());
            title = m_title;
        }
        title.strTitle = m_series.TitleName();
        title.strPeriod = m_series.PeriodText();
        CLockGuard titleLock(TitleLock());
        m_title = title;
    }
    // The redraw is queued before the host hears of the load, so a host that reacts to the
    // notice finds the new bars already on their way to the screen (a new series is drawn
    // at once, not at the pace of the tick stream).
    ::PostMessage(m_hWnd, WM_WICKPLOT_UPDATE_DRAW, kRedrawNow, 0);
    HWND hParent = Parent();
    if (hParent != NULL)
        ::SendMessage(hParent, m_notices[kWickplotHistoryLoaded], (WPARAM)result.nPeriod, 0);
}

void CWickplotDlg::ResetViewState()
{
    m_view = ChartView();
    m_view.nCount = m_series.Count();
    m_view.nFirst = m_series.First();
    m_view.nEnd = m_series.End();
    m_view.nCursor = m_series.CrossBar() < 0 ? 0 : m_series.CrossBar();
    m_bCrossShown = false;
    m_bDragging = m_bSelecting = false;
    m_selected = SelectedLines();
    for (bool& hover : m_hover)
        hover = false;
    m_layout = ChartLayout::Compute(m_layout.nWidth, m_layout.nHeight, kLayoutAllPanels);
    m_bPanelsChanged = true;
}

bool CWickplotDlg::RealTimePass(void* self)
{
    CWickplotDlg* dlg = static_cast<CWickplotDlg*>(self);
    if (dlg->m_historyBusy || dlg->m_mergeBusy)
        return false;
    WickplotBar* pRecord = dlg->m_queue.Pop();
    if (pRecord == nullptr)
        return false;
    InterlockedExchange(&dlg->m_mergeBusy, 1);
    bool changed = false;
    {
        CLockGuard lock(ChartLock());
        // Everything queued is merged in one pass and drawn once: a busy feed would
        // otherwise queue faster than the chart draws.
        for (int merged = 0; pRecord != nullptr && merged < 1000; ++merged)
        {
            changed |= dlg->m_series.MergeRealTimeBar(pRecord);
            pRecord = merged + 1 < 1000 ? dlg->m_queue.Pop() : nullptr;
        }
        if (changed)
        {
            ChartView& view = dlg->m_view;
            view.nCount = dlg->m_series.Count();
            view.nFirst = dlg->m_series.First();
            view.nEnd = dlg->m_series.End();
            if (view.nCursor >= view.nEnd)
                view.nCursor = view.nEnd - 1;
            dlg->m_bPanelsChanged = true;
        }
    }
    InterlockedExchange(&dlg->m_mergeBusy, 0);
    if (changed)
        ::PostMessage(dlg->m_hWnd, WM_WICKPLOT_UPDATE_DRAW, kRedrawAfterMerge, 0);
    return true;
}

void CWickplotDlg::ClearBusyFlags()
{
    bool wasBusy = m_historyBusy || m_mergeBusy;
    InterlockedExchange(&m_historyBusy, 0);
    InterlockedExchange(&m_mergeBusy, 0);
    if (wasBusy)
    {
        m_dispatcher.Wake();
        m_realTime.Wake();
    }
}

// ---- painting ----

BOOL CWickplotDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CWickplotDlg::OnPaint()
{
    CPaintDC dc(this);
    if (!IsWindowVisible())
        return;
    ChartPaintState state;
    {
        CLockGuard lock(TitleLock());
        state.title = m_title;
    }
    {
        CLockGuard lock(ChartLock());
        state.pSeries = &m_series;
        state.view = m_view;
        state.layout = m_layout;
        state.nDecimals = m_nDecimals;
        state.bCrossShown = m_bCrossShown;
        state.mouse = m_mouse;
        for (int zone = 0; zone < kZoneCount; ++zone)
            state.hover[zone] = m_hover[zone];
        state.selected = m_selected;
        state.bSelecting = m_bSelecting;
        CRect selection(m_selectionStart, m_selectionEnd);
        selection.NormalizeRect();
        state.selection = selection;
        m_painter.Paint(dc.GetSafeHdc(), state, m_bPanelsChanged);
        m_bPanelsChanged = false;
    }
    m_lastPaintTick = ::GetTickCount();
    // The loaded or merged bars are on screen: the workers may take the next packet.
    ClearBusyFlags();
}

void CWickplotDlg::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    CDialogEx::OnGetMinMaxInfo(pInfo);
    pInfo->ptMinTrackSize.x = 300;
    pInfo->ptMinTrackSize.y = 300;
}

HCURSOR CWickplotDlg::OnQueryDragIcon()
{
    return NULL;
}
