#include "BoardFilterHost.h"

#include "QuoteBoard.h"

HWND CBoardFilterHost::TabStrip() const
{
    return m_board.TabStrip();
}

HWND CBoardFilterHost::CurrentPageList() const
{
    return m_board.CurrentPageList();
}

bool CBoardFilterHost::IsQuotePageList(HWND hWnd) const
{
    return m_board.IsPageList(hWnd);
}

// The main window, its direct children (toolbar, tab strip, status bar, chart hosts) and
// their children (toolbar buttons, chart and depth windows), but nothing of the trade panel
// and nothing inside the quote pages (their lists are asked about on their own).
bool CBoardFilterHost::IsOwnView(HWND hWnd) const
{
    if (hWnd == NULL)
        return false;
    if (hWnd == m_main)
        return true;
    HWND parent = ::GetParent(hWnd);
    if (IsTradePanelWindow(hWnd) || IsTradePanelWindow(parent))
        return false;
    if (parent == m_main)
        return true;
    return parent != NULL && parent != m_board.TabStrip() && ::GetParent(parent) == m_main
           && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

bool CBoardFilterHost::IsTradePanelWindow(HWND hWnd) const
{
    return hWnd != NULL && hooks.isTradePanelWindow && hooks.isTradePanelWindow(hWnd);
}

bool CBoardFilterHost::IsQuoteListShown() const
{
    return !hooks.isQuoteListShown || hooks.isQuoteListShown();
}

bool CBoardFilterHost::IsTradePanelDocked() const
{
    return !hooks.isTradePanelDocked || hooks.isTradePanelDocked();
}

bool CBoardFilterHost::IsNoticeShown() const
{
    return hooks.isNoticeShown && hooks.isNoticeShown();
}

bool CBoardFilterHost::IsSmartKeyboardOpen() const
{
    return m_board.IsSearchOpen();
}

bool CBoardFilterHost::OpenSmartKeyboard(const MSG& key)
{
    return m_board.OpenSmartKeyboard(key);
}

void CBoardFilterHost::ToggleTradePanel()
{
    if (hooks.toggleTradePanel)
        hooks.toggleTradePanel();
}

void CBoardFilterHost::ToggleConsole()
{
    if (hooks.toggleConsole)
        hooks.toggleConsole();
}

int CBoardFilterHost::HitTestCaptionButton(int x, int y) const
{
    return hooks.hitTestCaptionButton ? hooks.hitTestCaptionButton(x, y) : -1;
}

void CBoardFilterHost::ApplySplit(int split)
{
    m_split = split;
    if (hooks.applySplit)
        hooks.applySplit(split);
}
