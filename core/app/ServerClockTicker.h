// The status-bar clock: a worker that shows the server time once per displayed second.
// Threads never touch windows, so each new text is posted to a window as a heap copy that
// the receiver takes over with TakeText (the thread keeps no buffer the receiver reads).
#pragma once
#include <afx.h>
#include <functional>

// Posted to the main window with a new clock text: wParam = status-bar pane, lParam = the
// text, owned by the receiver (CServerClockTicker::TakeText).
#define WM_SERVER_CLOCK_TEXT 11133

class CServerClockTicker
{
public:
    typedef std::function<CTime()> TimeSource;

    static const int kClockPane = 5;
    static const DWORD kPeriodMs = 300;

    CServerClockTicker(HWND hTarget, UINT nMessage, TimeSource timeSource);

    // Posts the time when the shown second changed; returns whether it posted.
    bool Tick();
    // Ticks every period until the stop event is signalled (or cannot be waited on).
    void Run(HANDLE hStopEvent, DWORD nPeriodMs = kPeriodMs);

    // "服务器时间:  20yy-mm-dd hh:mm:ss" in local time.
    static CString FormatClockText(const CTime& time);
    // Takes over a posted text: returns it and frees the copy. Null gives an empty text.
    static CString TakeText(LPARAM lParam);

private:
    HWND m_hTarget;
    UINT m_nMessage;
    TimeSource m_timeSource;
    __time64_t m_nLastShown;
};

class CStoppableThread;

// Starts the status-bar clock for the main window on `thread`: the new text of every second
// is posted to hMainWnd as WM_SERVER_CLOCK_TEXT until the thread is asked to stop. False
// when the thread could not start.
bool StartServerClockThread(CStoppableThread& thread, HWND hMainWnd);
