#include "MainReceiverHost.h"
#include "SymbolRules.h"

bool CMainReceiverHost::SetPendingQuery(int kind)
{
    CSingleLock lock(&m_queryLock, TRUE);
    if (kind != 0 && m_pendingQuery != 0)
        return false;
    m_pendingQuery = kind;
    m_queryTicks = 0;
    return true;
}

void CMainReceiverHost::ResetQueryTimeout()
{
    CSingleLock lock(&m_queryLock, TRUE);
    m_queryTicks = 0;
}

double CMainReceiverHost::GetContractMultiplier(LPCTSTR code)
{
    return ::GetContractMultiplier(code);
}
