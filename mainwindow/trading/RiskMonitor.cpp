#include "RiskMonitor.h"
#include "TicketCheck.h"
#include "TradingMessage.h"

namespace {
// The servers write "no value" as a figure below this (the panel shows "---").
const double kNoValueBelow = -100.0;
const int kCancelRounds = 3;

enum Cause
{
    CAUSE_DISCONNECTED = 0,
    CAUSE_SEND_FAILED = 1,
};
}  // namespace

CRiskMonitor::CRiskMonitor(ITradingWindows& windows, const Actions& actions)
    : m_windows(windows), m_actions(actions), m_owner(NULL), m_line(0.0), m_running(false), m_state(WATCHING),
      m_stage(CANCEL), m_hasAssets(false), m_assets(0.0), m_alarmOn(false), m_cancelRounds(0), m_stepping(false),
      m_boxOpen(false), m_told(0), m_ticksJudged(0)
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
    const double value = atof(trimmed);
    if (value < kNoValueBelow)
    {
        // The server does not know the account's value: judging the last one would be stale,
        // judging this one would liquidate an account that may be sound.
        m_hasAssets = false;
        return;
    }
    m_assets = value;
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
    // A tick inside the loop of a box that a step opened: that step is not over yet.
    if (!m_running || m_stepping)
        return;
    m_stepping = true;
    ++m_ticksJudged;
    switch (m_state)
    {
    case WATCHING:
        if (m_hasAssets && m_assets < m_line)
            RaiseAlarm();
        break;
    case ALARM_RAISED:
        Liquidate();
        break;
    case POSITIONS_CLOSED:
        if (m_hasAssets && m_assets >= m_line)
            m_state = WATCHING;
        break;
    }
    m_stepping = false;
}

void CRiskMonitor::RaiseAlarm()
{
    m_windows.SetTimer(kAlarmTimerId, kAlarmPeriodMs);
    m_alarmOn = true;
    m_windows.PlaySoundFile(AlarmSound());
    m_state = ALARM_RAISED;
    m_stage = CANCEL;
    m_cancelRounds = 0;
    m_told = 0;
    m_windows.StopConsole();
    Cancel();
}

void CRiskMonitor::Liquidate()
{
    if (!m_actions.isQueryIdle())
        return;
    switch (m_stage)
    {
    case CANCEL:
        Cancel();
        break;
    case CANCELLING:
        CheckCancelled();
        break;
    case CLOSE:
        Close();
        break;
    }
}

void CRiskMonitor::Cancel()
{
    const Step step = m_actions.cancelAll();
    if (step == STEP_STARTED)
    {
        m_stage = CANCELLING;
        ++m_cancelRounds;
    }
    else if (step == STEP_DONE)
        m_stage = CLOSE;
    else
        TellStalled(step);
}

// The cancel-all ended (every cancel answered, or timed out): closing positions while an
// order still rests could open a new one, so only a clean result goes on.
void CRiskMonitor::CheckCancelled()
{
    if (m_actions.openOrders() == 0)
    {
        m_stage = CLOSE;
        Close();
        return;
    }
    if (m_cancelRounds < kCancelRounds)
    {
        m_stage = CANCEL;
        Cancel();
        return;
    }
    Finish(NotCancelledText());
}

void CRiskMonitor::Close()
{
    const Step step = m_actions.closeAll();
    if (step == STEP_DONE || step == STEP_STARTED)
    {
        m_windows.PlaySoundFile(AlarmSound());
        Finish(DoneText());
    }
    else
        TellStalled(step);
}

// A step that could not be taken is tried again on a later tick; the user hears why, except
// for a plain wait.
void CRiskMonitor::TellStalled(Step step)
{
    if (step == STEP_NO_CONNECTION)
        Tell(CAUSE_DISCONNECTED, DisconnectedText());
    else if (step == STEP_SEND_FAILED)
        Tell(CAUSE_SEND_FAILED, SendFailedText());
}

void CRiskMonitor::Finish(const char* text)
{
    m_state = POSITIONS_CLOSED;
    ShowTradingMessage(m_owner, text);
    StopAlarm();
}

void CRiskMonitor::Tell(int cause, const char* text)
{
    const unsigned bit = 1u << cause;
    if (m_boxOpen || (m_told & bit) != 0)
        return;
    m_told |= bit;
    m_boxOpen = true;
    // The liquidation goes on inside the box's loop (the connection may come back while the
    // user has not read it yet); the box itself is not shown again.
    m_stepping = false;
    ShowTradingMessage(m_owner, text);
    m_stepping = true;
    m_boxOpen = false;
}

void CRiskMonitor::OnAlarmTimer()
{
    if (m_alarmOn)
        m_windows.PlaySoundFile(AlarmSound());
}
