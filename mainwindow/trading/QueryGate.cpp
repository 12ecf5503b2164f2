#include "QueryGate.h"
#include "TradingMessage.h"

namespace {
const char* const kBusyTexts[CQueryGate::KIND_COUNT] = {
    "空闲！",
    "正在查询“持仓”！",
    "正在查询“全部”！",
    "正在查询“可撤”！",
    "正在进行“撤单”！",
    "正在进行“全部撤单”！",
    "正在查询“资金状况”！",
    "正在查询“交易历史”！",
    "数据正在初始化...",
    "正在查询“成交明细”！",
};
const char* const kTimeoutTexts[CQueryGate::KIND_COUNT] = {
    NULL,
    "查询“持仓”超时！",
    "查询“全部”超时！",
    "查询“可撤”超时！",
    "“撤单”超时！",
    "“全部撤单”超时！",
    "查询“资金状况”超时！",
    "查询“交易历史”超时！",
    NULL,
    "查询“成交明细”超时！",
};

bool IsKnownKind(int kind)
{
    return kind >= 0 && kind < CQueryGate::KIND_COUNT;
}
}  // namespace

CQueryGate::CQueryGate() : m_kind(IDLE), m_ticks(0), m_owner(NULL)
{
    InitializeCriticalSection(&m_lock);
}

CQueryGate::~CQueryGate()
{
    DeleteCriticalSection(&m_lock);
}

const char* CQueryGate::BusyText(int kind)
{
    return IsKnownKind(kind) ? kBusyTexts[kind] : "";
}

const char* CQueryGate::TimeoutText(int kind)
{
    return IsKnownKind(kind) ? kTimeoutTexts[kind] : NULL;
}

bool CQueryGate::SetPending(int kind, bool showBusy)
{
    if (!IsKnownKind(kind))
        return false;
    EnterCriticalSection(&m_lock);
    const int pending = m_kind;
    const bool accepted = pending == IDLE || kind == IDLE;
    if (accepted)
    {
        m_kind = kind;
        m_ticks = 0;
    }
    LeaveCriticalSection(&m_lock);
    if (!accepted && showBusy)
        ShowTradingMessage(m_owner, BusyText(pending));
    return accepted;
}

bool CQueryGate::IsIdle(bool showBusy)
{
    EnterCriticalSection(&m_lock);
    const int pending = m_kind;
    LeaveCriticalSection(&m_lock);
    if (pending != IDLE && showBusy)
        ShowTradingMessage(m_owner, BusyText(pending));
    return pending == IDLE;
}

int CQueryGate::GetPending() const
{
    EnterCriticalSection(&m_lock);
    const int pending = m_kind;
    LeaveCriticalSection(&m_lock);
    return pending;
}

bool CQueryGate::EndIf(int kind)
{
    EnterCriticalSection(&m_lock);
    const bool ended = m_kind == kind;
    if (ended)
    {
        m_kind = IDLE;
        m_ticks = 0;
    }
    LeaveCriticalSection(&m_lock);
    return ended;
}

void CQueryGate::ResetTicks()
{
    EnterCriticalSection(&m_lock);
    m_ticks = 0;
    LeaveCriticalSection(&m_lock);
}

int CQueryGate::GetTicks() const
{
    EnterCriticalSection(&m_lock);
    const int ticks = m_ticks;
    LeaveCriticalSection(&m_lock);
    return ticks;
}

int CQueryGate::Tick()
{
    int timedOut = IDLE;
    EnterCriticalSection(&m_lock);
    if (m_kind != IDLE && ++m_ticks > kTimeoutLimit)
    {
        timedOut = m_kind;
        m_kind = IDLE;
        m_ticks = 0;
    }
    LeaveCriticalSection(&m_lock);
    return timedOut;
}
