// The risk-control monitor: compares the account's total assets with the liquidation line the
// user set and, when the assets fall below it, cancels every open order, stops the
// order-supplement console and then closes every position, sounding an alarm meanwhile.
// Timers and sounds go through ITradingWindows, so the steps run without real time.
#pragma once
#include <afx.h>
#include <functional>
#include "TradingWindows.h"

class CRiskMonitor
{
public:
    enum State
    {
        WATCHING = 0,
        ALARM_RAISED = 1,   // orders being cancelled; positions close once the query slot is free
        POSITIONS_CLOSED = 2,
    };
    enum
    {
        kMonitorTimerId = 4,
        kMonitorPeriodMs = 500,
        kAlarmTimerId = 5,
        kAlarmPeriodMs = 13000,
    };
    struct Actions
    {
        // Cancels every open order; false when the request was refused (a query is pending).
        std::function<bool()> cancelAll;
        std::function<void()> closeAll;
        std::function<bool()> isQueryIdle;
    };

    CRiskMonitor(ITradingWindows& windows, const Actions& actions);

    void SetOwner(HWND owner) { m_owner = owner; }
    // The latest total-assets text of the funds. Only a number counts: until one has arrived
    // the monitor does not judge, and a later text that is no number keeps the last value.
    void SetTotalAssets(const CString& text);
    // The line from the risk settings window: above 0 starts the monitor, else stops it (and
    // the alarm).
    void SetLine(double line);
    // Timer 4.
    void OnMonitorTimer();
    // Timer 5.
    void OnAlarmTimer();

    double GetLine() const { return m_line; }
    bool IsRunning() const { return m_running; }
    bool IsAlarmSounding() const { return m_alarmOn; }
    State GetState() const { return m_state; }
    bool HasAssets() const { return m_hasAssets; }

    static const char* AlarmSound() { return "Warn.wav"; }

private:
    void StopAlarm();

    ITradingWindows& m_windows;
    Actions m_actions;
    HWND m_owner;
    double m_line;
    bool m_running;
    State m_state;
    bool m_hasAssets;
    double m_assets;
    bool m_cancelDone;
    bool m_alarmOn;
};
