#include "MainReceiverHost.h"
#include "SymbolRules.h"

bool CMainReceiverHost::SetPendingQuery(int kind)
{
    CSingleLock lock(&m_queryLock, TRUE);
    if (m_queryOwner != nullptr)
        return m_queryOwner->SetPendingFromReceiver(kind);
    if (kind != 0 && m_pendingQuery != 0)
        return false;
    m_pendingQuery = kind;
    m_queryTicks = 0;
    return true;
}

void CMainReceiverHost::ResetQueryTimeout()
{
    CSingleLock lock(&m_queryLock, TRUE);
    if (m_queryOwner != nullptr)
    {
        m_queryOwner->ResetTicksFromReceiver();
        return;
    }
    m_queryTicks = 0;
}

void CMainReceiverHost::AttachQueryState(IQueryStateOwner* owner)
{
    CSingleLock lock(&m_queryLock, TRUE);
    if (owner != nullptr && m_pendingQuery != 0)
        owner->SetPendingFromReceiver(m_pendingQuery);
    m_pendingQuery = 0;
    m_queryTicks = 0;
    m_queryOwner = owner;
}

double CMainReceiverHost::GetContractMultiplier(LPCTSTR code)
{
    return ::GetContractMultiplier(code);
}
