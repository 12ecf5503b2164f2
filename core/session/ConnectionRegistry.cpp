#include "ConnectionRegistry.h"

#include "Network.h"
#include "SessionData.h"

namespace
{
const char* const kTradeName = "TRADE";
const char* const kQueryName = "QUERY";
const char* const kProxyTradeName = "PROXYTRADE";
const char* const kProxyQueryName = "PROXYQUERY";

enum
{
    kQuoteType = 1,
    kDepthType = 2,
    kTradeType = 3,
    kProxyQueryType = 6,
};
}

CConnectionRegistry::CConnectionRegistry()
{
}

CConnectionRegistry::~CConnectionRegistry()
{
    CSingleLock lock(&m_mutex, TRUE);
    for (auto& entry : m_sessions)
        delete entry.second;
    m_sessions.clear();
    for (CServerSession* session : m_replaced)
        delete session;
    m_replaced.clear();
}

CString CConnectionRegistry::MakeKey(const CString& typeDigit, const CString& name)
{
    return typeDigit + "_" + name;
}

CServerSession* CConnectionRegistry::FindLocked(const CString& typeDigit, const CString& name) const
{
    auto found = m_sessions.find(MakeKey(typeDigit, name));
    return found == m_sessions.end() ? NULL : found->second;
}

CServerSession* CConnectionRegistry::Find(const CString& typeDigit, const CString& name)
{
    CSingleLock lock(&m_mutex, TRUE);
    return FindLocked(typeDigit, name);
}

CServerSession* CConnectionRegistry::GetQuoteSession(const CString& name)
{
    return Find("1", name);
}

CServerSession* CConnectionRegistry::GetDepthSession(const CString& name)
{
    return Find("2", name);
}

CServerSession* CConnectionRegistry::GetTradeSession()
{
    return Find("3", kTradeName);
}

CServerSession* CConnectionRegistry::GetQuerySession()
{
    return Find("4", kQueryName);
}

CServerSession* CConnectionRegistry::GetProxyTradeSession()
{
    return Find("5", kProxyTradeName);
}

CServerSession* CConnectionRegistry::GetProxyQuerySession()
{
    return Find("6", kProxyQueryName);
}

CServerSession* CConnectionRegistry::GetOrderSession()
{
    CSingleLock lock(&m_mutex, TRUE);
    CServerSession* proxyTrade = FindLocked("5", kProxyTradeName);
    if (FindLocked("6", kProxyQueryName) != NULL || proxyTrade != NULL)
        return proxyTrade;
    return FindLocked("3", kTradeName);
}

CServerSession* CConnectionRegistry::GetTradeSessionIfProxy()
{
    CSingleLock lock(&m_mutex, TRUE);
    if (FindLocked("6", kProxyQueryName) == NULL && FindLocked("5", kProxyTradeName) == NULL)
        return NULL;
    return FindLocked("3", kTradeName);
}

void CConnectionRegistry::Register(CServerSession* session)
{
    if (session == NULL)
        return;
    const CString key = MakeKey(session->GetType(), session->GetName());
    CSingleLock lock(&m_mutex, TRUE);
    auto found = m_sessions.find(key);
    if (found != m_sessions.end())
    {
        if (found->second != session)
            Retire(found->second);
        m_sessions.erase(found);
    }
    session->SetKey(key);
    m_sessions[key] = session;
}

// Receivers and initial loads hold the session and its connection by plain pointer and may be
// inside a cycle on it right now, so the replaced session is only disconnected: those threads
// see its connection down and report the loss. It is freed with the registry.
void CConnectionRegistry::Retire(CServerSession* session)
{
    if (session->GetConnection() != NULL)
        session->GetConnection()->Disconnect();
    m_replaced.push_back(session);
}

void CConnectionRegistry::CreateSessionsOfType(int type, bool connect, CSessionData& sessionData)
{
    CSingleLock lock(&m_mutex, TRUE);
    for (ServerRecord* server : sessionData.GetServers(type))
    {
        CServerSession* session = new CServerSession;
        session->SetName(server->GetName());
        session->SetType(server->GetTypeText());
        session->SetKey(MakeKey(server->GetTypeText(), server->GetName()));
        Register(session);
        session->Open(*server, connect, sessionData);
    }
}

bool CConnectionRegistry::CreateSessions(bool quotesOnly)
{
    return CreateSessions(quotesOnly, GetSessionData());
}

bool CConnectionRegistry::CreateSessions(bool quotesOnly, CSessionData& sessionData)
{
    CreateSessionsOfType(kQuoteType, true, sessionData);
    // Depth servers are connected and disconnected on demand by the main window.
    CreateSessionsOfType(kDepthType, false, sessionData);
    if (quotesOnly)
        return true;
    for (int type = kTradeType; type <= kProxyQueryType; ++type)
        CreateSessionsOfType(type, true, sessionData);
    return true;
}

bool CConnectionRegistry::DisconnectAll()
{
    CSingleLock lock(&m_mutex, TRUE);
    for (auto& entry : m_sessions)
        if (entry.second->GetConnection() != NULL)
            entry.second->GetConnection()->Disconnect();
    return true;
}

size_t CConnectionRegistry::GetCount()
{
    CSingleLock lock(&m_mutex, TRUE);
    return m_sessions.size();
}

CConnectionRegistry& GetConnectionRegistry()
{
    // Never destroyed: a receiver left running at shutdown still reads its connection. The
    // shutdown disconnects every session before the process ends.
    static CConnectionRegistry* registry = new CConnectionRegistry;
    return *registry;
}
