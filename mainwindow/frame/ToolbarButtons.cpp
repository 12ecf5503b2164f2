#include "ToolbarButtons.h"

#include "FrameGeometry.h"
#include "FrameMessages.h"
#include "Ribbonet.h"

const UINT kToolbarMessages[kToolbarButtonCount] = {
    WM_TOOLBAR_BUTTON0, WM_TOOLBAR_BUTTON1, WM_TOOLBAR_BUTTON2,  WM_TOOLBAR_BUTTON3,  WM_TOOLBAR_BUTTON4,
    WM_TOOLBAR_BUTTON5, WM_TOOLBAR_BUTTON6, WM_TOOLBAR_BUTTON7,  WM_TOOLBAR_BUTTON8,  WM_TOOLBAR_BUTTON9,
    WM_TOOLBAR_BUTTON10, WM_TOOLBAR_BUTTON11, WM_TOOLBAR_BUTTON12,
};

namespace {

bool BeginsWith(const CString& text, const char* prefix)
{
    return text.Find(prefix) == 0;
}

PeriodButtonStates States(bool weekAndMonth, bool minutes, bool hour)
{
    PeriodButtonStates states;
    states.weekAndMonth = weekAndMonth;
    states.minutes = minutes;
    states.hour = hour;
    return states;
}

}  // namespace

bool PeriodButtonStates::IsEnabled(int button) const
{
    if (button == 6 || button == 7)
        return weekAndMonth;
    if (button >= 8 && button <= 11)
        return minutes;
    if (button == 12)
        return hour;
    return true;
}

PeriodButtonStates PeriodButtonsFor(const CString& sector, bool hasSelectedRow, const CString& marketKey)
{
    if (sector == "沪深" || sector == "港股")
        return States(true, true, true);
    if (sector == "美股")
        return States(false, false, false);
    if (sector == "我的板块" && hasSelectedRow)
    {
        // The lists' market keys are "CSM_P" and "HKS_P": stocks are told by the prefix.
        if (BeginsWith(marketKey, "CSM") || BeginsWith(marketKey, "HKS"))
            return States(true, true, true);
        if (BeginsWith(marketKey, "ASM"))
            return States(false, false, false);
    }
    return States(false, true, true);
}

bool CMainToolbar::Create(HWND hParent, int clientWidth)
{
    m_hWnd = dll_ShowToolBar(hParent);
    if (m_hWnd == NULL)
        return false;
    dll_SetToolBarParent(m_hWnd, hParent);
    Move(clientWidth);
    for (int button = 0; button < kToolbarButtonCount; ++button)
        dll_ToolBarRegistMsgID(m_hWnd, button, kToolbarMessages[button]);
    Check(0);
    return true;
}

void CMainToolbar::Move(int width)
{
    if (m_hWnd != NULL)
        ::MoveWindow(m_hWnd, 0, 0, width, kToolbarHeight, TRUE);
}

void CMainToolbar::Check(int button)
{
    if (m_hWnd != NULL)
        dll_SetButtonChecked(m_hWnd, button, TRUE);
}

void CMainToolbar::Enable(int button, bool enabled)
{
    if (m_hWnd != NULL)
        dll_SetButtonEnable(m_hWnd, button, enabled ? TRUE : FALSE);
}

void CMainToolbar::ApplyPeriodButtons(const PeriodButtonStates& states)
{
    for (int button = 6; button <= 12; ++button)
        Enable(button, states.IsEnabled(button));
}
