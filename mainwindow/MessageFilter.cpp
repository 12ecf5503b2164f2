#include "MessageFilter.h"

#include <algorithm>

namespace {

const int kBandHeight = 5;
const int kMinimumSplit = 100;
const COLORREF kDragLineColor = RGB(200, 191, 231);

bool IsSmartKeyboardKey(WPARAM key)
{
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
           (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
}

}  // namespace

const char CMessageFilter::kSmartKeyboardTitle[] = "Tolvan证券智能键盘";

KeyAction DecideKey(const KeyContext& context)
{
    switch (context.key) {
    case VK_RETURN:
        // Enter switches views only over the main window's own views; in a trading window
        // or a dialog it stays that window's key.
        if (context.smartKeyboardOpen || !(context.targetIsOwnView || context.targetIsPageList))
            return KeyAction::Default;
        return KeyAction::OpenView;
    case VK_ESCAPE:
        if (context.smartKeyboardOpen)
            return KeyAction::CloseSmartKeyboard;
        // A dialog of its own keeps Esc as its cancel key.
        return context.noticeShown || context.targetInOtherWindow ? KeyAction::Default : KeyAction::OpenView;
    case VK_HOME:
        // Swallowed over the views (where it has no meaning), but edits keep it.
        return context.targetIsOwnView || context.targetIsPageList ? KeyAction::Consume
                                                                    : KeyAction::Default;
    case VK_LEFT:
    case VK_RIGHT:
        return context.quoteListShown && context.hasCurrentPage && context.focusOnPageList
                   ? KeyAction::ForwardToTabStrip : KeyAction::Default;
    case VK_UP:
    case VK_DOWN:
        return context.quoteListShown && context.hasCurrentPage && context.focusOnTabStrip
                   ? KeyAction::ForwardToPageList : KeyAction::Default;
    case VK_F12:
        return KeyAction::ToggleTradePanel;
    default:
        break;
    }
    if (IsSmartKeyboardKey(context.key) &&
        (context.targetIsOwnView || context.targetIsTradePanel || context.targetIsPageList))
        return KeyAction::OpenSmartKeyboard;
    return KeyAction::Default;
}

bool IsAmongOwnViews(HWND hWnd, const OwnViews& views)
{
    if (hWnd == NULL)
        return false;
    if (hWnd == views.main || hWnd == views.toolbar || hWnd == views.tabStrip || hWnd == views.statusBar)
        return true;
    for (HWND chart : views.chartWindows)
        if (hWnd == chart)
            return true;
    // The real parent, not the owner that GetParent gives for a popup.
    return views.toolbar != NULL && ::GetAncestor(hWnd, GA_PARENT) == views.toolbar;
}

int SplitForRelease(int clientY, int clientHeight)
{
    return std::min(std::max(clientY, kMinimumSplit), clientHeight);
}

CMessageFilter::~CMessageFilter()
{
    FreeDragImage();
}

BOOL CMessageFilter::PreTranslate(MSG* pMsg)
{
    HWND main = m_host.MainWindow();
    if (main == NULL || !::IsWindow(main))
        return FALSE;
    if (ApplyRules(pMsg))
        return TRUE;
    // What the rules leave goes on to the windows; the trade panel sees its own first.
    return m_host.PreTranslateInTradePanel(pMsg);
}

BOOL CMessageFilter::ApplyRules(MSG* pMsg)
{
    HWND main = m_host.MainWindow();
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return OnSplitterMessage(pMsg);
    case WM_NCLBUTTONDBLCLK: {
        RECT window;
        ::GetWindowRect(main, &window);
        return m_host.HitTestCaptionButton(pMsg->pt.x - window.left, pMsg->pt.y - window.top) >= 0;
    }
    case WM_COMMAND:
        if (pMsg->wParam == 3) {
            m_host.ToggleTradePanel();
            return TRUE;
        }
        if (pMsg->wParam == 4) {
            m_host.ToggleConsole();
            return TRUE;
        }
        return FALSE;
    case WM_KEYDOWN:
        return OnKeyDown(pMsg);
    default:
        return FALSE;
    }
}

BOOL CMessageFilter::OnKeyDown(MSG* pMsg)
{
    KeyContext context;
    context.key = pMsg->wParam;
    context.smartKeyboardOpen = m_host.IsSmartKeyboardOpen();
    context.noticeShown = m_host.IsNoticeShown();
    const HWND root = ::GetAncestor(pMsg->hwnd, GA_ROOT);
    context.targetInOtherWindow = root != NULL && root != m_host.MainWindow() && !m_host.IsTradePanelWindow(root);
    context.targetIsOwnView = m_host.IsOwnView(pMsg->hwnd);
    context.targetIsTradePanel = m_host.IsTradePanelWindow(pMsg->hwnd);
    context.targetIsPageList = m_host.IsQuotePageList(pMsg->hwnd);
    context.quoteListShown = m_host.IsQuoteListShown();
    const HWND pageList = m_host.CurrentPageList();
    context.hasCurrentPage = pageList != NULL;
    const HWND focus = ::GetFocus();
    context.focusOnPageList = pageList != NULL && focus == pageList;
    context.focusOnTabStrip = focus != NULL && focus == m_host.TabStrip();

    switch (DecideKey(context)) {
    case KeyAction::Consume:
        return TRUE;
    case KeyAction::OpenView:
        ::SendMessage(m_host.MainWindow(), WM_KEY_OPEN_VIEW, pMsg->wParam == VK_ESCAPE ? 1 : 0, 0);
        return TRUE;
    case KeyAction::CloseSmartKeyboard:
        if (HWND search = ::FindWindowA(NULL, kSmartKeyboardTitle))
            ::SendMessage(search, WM_CLOSE, 0, 0);
        return TRUE;
    case KeyAction::ToggleTradePanel:
        m_host.ToggleTradePanel();
        return TRUE;
    case KeyAction::ForwardToTabStrip:
        ::SendMessage(m_host.TabStrip(), pMsg->message, pMsg->wParam, pMsg->lParam);
        return FALSE;
    case KeyAction::ForwardToPageList:
        ::SendMessage(pageList, pMsg->message, pMsg->wParam, pMsg->lParam);
        return FALSE;
    case KeyAction::OpenSmartKeyboard:
        return m_host.OpenSmartKeyboard(*pMsg) ? TRUE : FALSE;
    case KeyAction::Default:
    default:
        return FALSE;
    }
}

bool CMessageFilter::InSplitterBand(POINT screen) const
{
    HWND tabStrip = m_host.TabStrip();
    if (tabStrip == NULL)
        return false;
    RECT strip;
    ::GetWindowRect(tabStrip, &strip);
    const RECT band = { strip.left, strip.bottom, strip.right, strip.bottom + kBandHeight };
    return ::PtInRect(&band, screen) != FALSE;
}

BOOL CMessageFilter::OnSplitterMessage(MSG* pMsg)
{
    if (!m_host.IsTradePanelDocked())
        return FALSE;
    HWND main = m_host.MainWindow();
    POINT client = pMsg->pt;
    ::ScreenToClient(main, &client);
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
        if (InSplitterBand(pMsg->pt)) {
            m_dragging = true;
            ::SendMessage(main, WM_SPLITTER_CURSOR, (WPARAM)IDC_SIZENS, 0);
            TakeDragImage();
        }
        break;
    case WM_MOUSEMOVE:
        if (InSplitterBand(pMsg->pt) || m_dragging)
            ::SendMessage(main, WM_SPLITTER_CURSOR, (WPARAM)IDC_SIZENS, 0);
        if (m_dragging) {
            if (pMsg->wParam == MK_LBUTTON)
                DrawDragLine(client.y);
            else
                m_dragging = false;  // released elsewhere, or Shift or Ctrl held
        }
        break;
    case WM_LBUTTONUP:
        if (m_dragging) {
            RECT area;
            ::GetClientRect(main, &area);
            m_host.ApplySplit(SplitForRelease(client.y, area.bottom - area.top));
        }
        m_dragging = false;
        break;
    default:
        break;
    }
    return FALSE;
}

void CMessageFilter::TakeDragImage()
{
    FreeDragImage();
    HWND main = m_host.MainWindow();
    RECT area;
    ::GetClientRect(main, &area);
    HDC window = ::GetDC(main);
    m_dragDC = ::CreateCompatibleDC(window);
    m_dragBitmap = ::CreateCompatibleBitmap(window, area.right, area.bottom);
    m_oldDragBitmap = ::SelectObject(m_dragDC, m_dragBitmap);
    ::BitBlt(m_dragDC, 0, 0, area.right, area.bottom, window, 0, 0, SRCCOPY);
    ::ReleaseDC(main, window);
}

void CMessageFilter::DrawDragLine(int clientY)
{
    if (m_dragDC == NULL)
        return;
    HWND main = m_host.MainWindow();
    RECT area;
    ::GetClientRect(main, &area);
    HDC window = ::GetDC(main);
    ::BitBlt(window, 0, 0, area.right, area.bottom, m_dragDC, 0, 0, SRCCOPY);
    HPEN pen = ::CreatePen(PS_SOLID, 3, kDragLineColor);
    HGDIOBJ oldPen = ::SelectObject(window, pen);
    ::MoveToEx(window, 0, clientY, NULL);
    ::LineTo(window, area.right, clientY);
    ::SelectObject(window, oldPen);
    ::DeleteObject(pen);
    ::ReleaseDC(main, window);
}

void CMessageFilter::FreeDragImage()
{
    if (m_dragDC != NULL) {
        ::SelectObject(m_dragDC, m_oldDragBitmap);
        ::DeleteDC(m_dragDC);
        m_dragDC = NULL;
    }
    if (m_dragBitmap != NULL) {
        ::DeleteObject(m_dragBitmap);
        m_dragBitmap = NULL;
    }
}
