// The risk-control monitor: compares the account's total assets with the liquidation line the
// user set and, when the assets fall below it, cancels every open order, stops the
// order-supplement console and then closes every position, sounding an alarm meanwhile.
// Timers and sounds go through ITradingWindows, so the steps run without real time.
//
// One liquidation runs at a time and each step follows a confirmed result: positions are
// closed only once every order is known to be cancelled; a step that cannot be taken now
// (connection down, lists not known, another query pending) waits for a later tick; the
// user is told once per cause, and no box opens while one of the monitor's boxes is open.
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
    // What a step of the liquidation achieved.
    enum Step
    {
        STEP_STARTED,         // requests are on the wire; their answers end the step
        STEP_DONE,            // nothing (more) to do
        STEP_WAIT,            // not now: another query pending, or the lists are being asked for
        STEP_NO_CONNECTION,   // the trading connection is down
        STEP_SEND_FAILED,
    };
    struct Actions
    {
        // Cancels every open order, quietly.
        std::function<Step()> cancelAll;
        // Orders still open once a cancel-all ended.
        std::function<size_t()> openOrders;
        // Closes every position, quietly; STEP_DONE once every close is sent.
        std::function<Step()> closeAll;
        std::function<bool()> isQueryIdle;
    };

    CRiskMonitor(ITradingWindows& windows, const Actions& actions);

    void SetOwner(HWND owner) { m_owner = owner; }
    // The latest total-assets text of the funds. Only a real value counts: until one has
    // arrived the monitor does not judge; a text that is no number keeps the last value, and
    // the servers' "no value" (below -100, shown "---") drops it.
    void SetTotalAssets(const CString& text);
    // The figures can no longer be trusted (the query connection was lost): wait for fresh ones.
    void ForgetAssets() { m_hasAssets = false; }
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
    // Monitor ticks that were judged (not those inside a step's box).
    unsigned GetTicksJudged() const { return m_ticksJudged; }

    static const char* AlarmSound() { return "Warn.wav"; }
    // Texts of the monitor's own boxes.
    static const char* DoneText() { return "账号已达到风控设置值，补单运行已停止!"; }
    static const char* DisconnectedText() { return "交易服务器已断开！风控将在交易服务器重新连接后撤单并平仓！"; }
    static const char* SendFailedText() { return "风控请求发送失败，将继续尝试！"; }
    static const char* NotCancelledText() { return "风控撤单未能全部完成，持仓未平，请手动处理！"; }

private:
    // Stages of an alarm (state 1).
    enum Stage
    {
        CANCEL,       // cancel-all to be asked
        CANCELLING,   // its cancels are on the wire
        CLOSE,        // every order cancelled: close-all to be asked
    };
    void RaiseAlarm();
    void Liquidate();
    void Cancel();
    void CheckCancelled();
    void Close();
    void TellStalled(Step step);
    void Finish(const char* text);
    // Once per cause and alarm; never while another of the monitor's boxes is open.
    void Tell(int cause, const char* text);
    void StopAlarm();

    ITradingWindows& m_windows;
    Actions m_actions;
    HWND m_owner;
    double m_line;
    bool m_running;
    State m_state;
    Stage m_stage;
    bool m_hasAssets;
    double m_assets;
    bool m_alarmOn;
    // Cancel-alls started in this alarm: one that leaves orders open (its cancels refused, or
    // the connection gone midway) is tried again, a few times.
    int m_cancelRounds;
    // A step runs (it may show a box whose loop runs further timer ticks).
    bool m_stepping;
    bool m_boxOpen;
    unsigned m_told;
    unsigned m_ticksJudged;
};
