#include "BoardShownSignal.h"

#include <afx.h>
#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>

namespace {

const UINT kLookMs = 100;
const int kLastPriceColumn = 3;  // "最新价"

UINT_PTR s_timer = 0;
HWND s_main = NULL;
std::function<HWND()> s_shownList;
CString s_signal;
bool s_seenOnce = false;

bool IsPrice(const char* text)
{
    char* end = nullptr;
    const double value = strtod(text, &end);
    return end != text && *end == '\0' && value > 0.0;
}

bool ShowsPrice(HWND list)
{
    const int rows = ListView_GetItemCount(list);
    const int top = ListView_GetTopIndex(list);
    const int bottom = std::min(rows, top + ListView_GetCountPerPage(list) + 1);
    for (int row = top; row < bottom; ++row) {
        char text[64] = {0};
        ListView_GetItemText(list, row, kLastPriceColumn, text, sizeof(text));
        if (IsPrice(text))
            return true;
    }
    return false;
}

BOOL CALLBACK FindPendingPaint(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window) && ::GetUpdateRect(window, NULL, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the thread (the main window, the notice) or one of its
// children still has an update region.
BOOL CALLBACK FindPendingPaintBelow(HWND window, LPARAM found)
{
    if (!::IsWindowVisible(window))
        return TRUE;
    FindPendingPaint(window, found);
    if (!*reinterpret_cast<bool*>(found))
        ::EnumChildWindows(window, FindPendingPaint, found);
    return *reinterpret_cast<bool*>(found) ? FALSE : TRUE;
}

bool WaitsForPaint()
{
    bool found = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPendingPaintBelow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The main window waits off-screen, visible, while start-up runs; it comes into the screen
// when start-up is done.
bool IsOnScreen(HWND window)
{
    RECT place = {};
    ::GetWindowRect(window, &place);
    const RECT screen = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                         ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT common = {};
    return ::IntersectRect(&common, &place, &screen) != FALSE;
}

void WriteSignal()
{
    FILE* file = fopen(s_signal + ".board", "wb");
    if (file != NULL)
        fclose(file);
}

// The board must show its prices on two looks in a row: between them the thread has waited
// for messages, and with that the painted pixels have reached the screen.
void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD)
{
    if (!::IsWindow(s_main)) {
        StopWatchingBoard();
        return;
    }
    const bool shown = BoardShowsPaintedPrices(s_main, s_shownList());
    if (shown && s_seenOnce) {
        WriteSignal();
        StopWatchingBoard();
        return;
    }
    s_seenOnce = shown;
}

}  // namespace

bool BoardShowsPaintedPrices(HWND main, HWND list)
{
    return ::IsWindowVisible(main) && !::IsIconic(main) && IsOnScreen(main) && list != NULL && ::IsWindowVisible(list)
           && ShowsPrice(list) && !WaitsForPaint();
}

void WatchForShownBoard(HWND main, std::function<HWND()> shownList)
{
    const char* signal = getenv("TOLVAN_AUTOLOGIN_SIGNAL");
    if (signal == nullptr || *signal == '\0' || s_timer != 0)
        return;
    s_signal = signal;
    s_main = main;
    s_shownList = std::move(shownList);
    s_seenOnce = false;
    s_timer = ::SetTimer(NULL, 0, kLookMs, Look);
}

void StopWatchingBoard()
{
    if (s_timer != 0)
        ::KillTimer(NULL, s_timer);
    s_timer = 0;
    s_shownList = nullptr;
    s_main = NULL;
}
