#include "ServerClockTicker.h"
#include "ServerClock.h"
#include "StoppableThread.h"

#include <string.h>

CServerClockTicker::CServerClockTicker(HWND hTarget, UINT nMessage, TimeSource timeSource)
    : m_hTarget(hTarget), m_nMessage(nMessage), m_timeSource(std::move(timeSource)), m_nLastShown(0)
{
}

CString CServerClockTicker::FormatClockText(const CTime& time)
{
    return time.Format("服务器时间:  20%y-%m-%d %H:%M:%S");
}

bool CServerClockTicker::Tick()
{
    const CTime now = m_timeSource();
    if (now.GetTime() == m_nLastShown)
        return false;
    m_nLastShown = now.GetTime();

    const CString strText = FormatClockText(now);
    char* pszCopy = new char[strText.GetLength() + 1];
    memcpy(pszCopy, (LPCSTR)strText, strText.GetLength() + 1);
    if (!::PostMessage(m_hTarget, m_nMessage, kClockPane, reinterpret_cast<LPARAM>(pszCopy)))
    {
        delete[] pszCopy;   // nobody will take it
        return false;
    }
    return true;
}

void CServerClockTicker::Run(HANDLE hStopEvent, DWORD nPeriodMs)
{
    while (::WaitForSingleObject(hStopEvent, nPeriodMs) == WAIT_TIMEOUT)
        Tick();
}

CString CServerClockTicker::TakeText(LPARAM lParam)
{
    char* pszText = reinterpret_cast<char*>(lParam);
    if (pszText == nullptr)
        return CString();
    CString strText(pszText);
    delete[] pszText;
    return strText;
}

bool StartServerClockThread(CStoppableThread& thread, HWND hMainWnd)
{
    const HANDLE hStopEvent = thread.GetStopEvent();
    return thread.Start([hMainWnd, hStopEvent] {
        CServerClockTicker ticker(hMainWnd, WM_SERVER_CLOCK_TEXT, GetServerTime);
        ticker.Run(hStopEvent);
    });
}
