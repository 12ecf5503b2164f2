#include "RiskMonitor.h"
#include "TicketCheck.h"
#include "TradingMessage.h"

CRiskMonitor::CRiskMonitor(ITradingWindows& windows, const Actions& actions)
    : m_windows(windows), m_actions(actions), m_owner(NULL), m_line(0.0), m_running(false), m_state(WATCHING),
      m_hasAssets(false), m_assets(0.0), m_cancelDone(false), m_alarmOn(false)
{
}

void CRiskMonitor::SetTotalAssets(const CString& text)
{
    CString trimmed = text;
    trimmed.Trim();
    long long ignored;
    // An empty or garbled text would read as 0 and trip the line on an account never seen.
    if (!ScaleDecimalText(trimmed, DecimalsOfText(trimmed), ignored))
        return;
    m_assets = atof(trimmed);
    m_hasAssets = true;
}

void CRiskMonitor::SetLine(double line)
{
    m_line = line;
    if (line > 0.0)
    {
        if (!m_running)
        {
            m_running = true;
            m_state = WATCHING;
            m_windows.SetTimer(kMonitorTimerId, kMonitorPeriodMs);
        }
        return;
    }
    if (m_running)
    {
        m_running = false;
        m_windows.KillTimer(kMonitorTimerId);
    }
    // A stopped monitor must not leave its alarm sounding.
    StopAlarm();
}

void CRiskMonitor::StopAlarm()
{
    if (!m_alarmOn)
        return;
    m_alarmOn = false;
    m_windows.KillTimer(kAlarmTimerId);
    m_windows.StopAllSounds();
}

void CRiskMonitor::OnMonitorTimer()
{
    if (!m_running || !m_hasAssets)
        return;
    switch (m_state)
    {
    case WATCHING:
        if (m_assets < m_line)
        {
            m_windows.SetTimer(kAlarmTimerId, kAlarmPeriodMs);
            m_alarmOn = true;
            m_windows.PlaySoundFile(AlarmSound());
            m_state = ALARM_RAISED;
            m_windows.StopConsole();
            m_cancelDone = m_actions.cancelAll();
        }
        break;
    case ALARM_RAISED:
        if (!m_actions.isQueryIdle())
            break;
        // A cancel-all refused while another query was pending is asked again first: closing
        // positions while their orders still rest could open new ones.
        if (!m_cancelDone)
        {
            m_cancelDone = m_actions.cancelAll();
            break;
        }
        m_state = POSITIONS_CLOSED;
        m_actions.closeAll();
        m_windows.PlaySoundFile(AlarmSound());
        ShowTradingMessage(m_owner, "账号已达到风控设置值，补单运行已停止!");
        StopAlarm();
        break;
    case POSITIONS_CLOSED:
        if (m_assets >= m_line)
            m_state = WATCHING;
        break;
    }
}

void CRiskMonitor::OnAlarmTimer()
{
    if (m_alarmOn)
        m_windows.PlaySoundFile(AlarmSound());
}
