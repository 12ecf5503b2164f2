#include "ReceiverSet.h"

#include <set>

#include "ConnectionRegistry.h"
#include "DepthReceiver.h"
#include "SessionData.h"
#include "ThreadWait.h"
#include "TradeReplyReceiver.h"

namespace
{
enum
{
    kQuoteType = 1,
    kDepthType = 2,
    kTradeType = 3,
    kQueryType = 4,
};

// Sessions already served; a session without a connection cannot be served at all.
class ServedSessions
{
public:
    bool Claim(CServerSession* session)
    {
        if (session == NULL || session->GetConnection() == NULL)
            return false;
        return m_sessions.insert(session).second;
    }

private:
    std::set<CServerSession*> m_sessions;
};
}

CReceiverSet::CReceiverSet(IReceiverHost& host, CConnectionRegistry& registry)
    : m_host(host), m_registry(registry)
{
}

CReceiverSet::~CReceiverSet()
{
    StopAll(3000);
    for (CReplyReceiver* receiver : All())
        if (!receiver->IsRunning())
            delete receiver;
}

void CReceiverSet::Add(std::vector<CReplyReceiver*>& list, CReplyReceiver* receiver)
{
    if (receiver == NULL)
        return;
    receiver->Start(true);
    list.push_back(receiver);
}

void CReceiverSet::ReleaseAll()
{
    for (CReplyReceiver* receiver : All())
        receiver->SetPaused(false);
}

void CReceiverSet::StartAll(CSessionData& sessionData, bool defaultServerUsed,
                            const QuoteReceiverFactory& makeQuoteReceiver)
{
    ServedSessions served;
    for (ServerRecord* server : sessionData.GetServers(kQuoteType))
    {
        CServerSession* session = m_registry.GetQuoteSession(server->GetName());
        if (served.Claim(session) && makeQuoteReceiver)
            Add(m_quote, makeQuoteReceiver(m_host, session->GetConnection()));
    }

    const std::vector<ServerRecord*>& depthServers = sessionData.GetServers(kDepthType);
    for (size_t i = 0; i < depthServers.size(); ++i)
    {
        CServerSession* session = m_registry.GetDepthSession(depthServers[i]->GetName());
        if (!served.Claim(session))
            continue;
        CDepthReceiver* receiver = new CDepthReceiver(m_host, session->GetConnection());
        receiver->SetIndex((int)i, depthServers[i]->GetName());
        Add(m_depth, receiver);
    }

    // The built-in default server carries quotes only.
    if (defaultServerUsed)
        return;

    for (size_t i = 0; i < sessionData.GetServers(kTradeType).size(); ++i)
    {
        CServerSession* session = m_registry.GetOrderSession();
        if (served.Claim(session))
            Add(m_trade, new CTradeReplyReceiver(m_host, m_registry, session->GetConnection(),
                                                 CONNECTION_KIND_ORDER));
    }
    for (size_t i = 0; i < sessionData.GetServers(kQueryType).size(); ++i)
    {
        CServerSession* session = m_registry.GetQuerySession();
        if (served.Claim(session))
            Add(m_query, new CTradeReplyReceiver(m_host, m_registry, session->GetConnection(),
                                                 CONNECTION_KIND_QUERY));
    }
    CServerSession* ownTrade = m_registry.GetTradeSessionIfProxy();
    if (served.Claim(ownTrade))
        Add(m_trade, new CTradeReplyReceiver(m_host, m_registry, ownTrade->GetConnection(),
                                             CONNECTION_KIND_OWN_TRADE));
    CServerSession* proxyQuery = m_registry.GetProxyQuerySession();
    if (served.Claim(proxyQuery))
        Add(m_proxyQuery, new CTradeReplyReceiver(m_host, m_registry, proxyQuery->GetConnection(),
                                                  CONNECTION_KIND_PROXY_QUERY));
}

std::vector<CReplyReceiver*> CReceiverSet::All() const
{
    std::vector<CReplyReceiver*> all;
    for (const std::vector<CReplyReceiver*>* list : {&m_quote, &m_depth, &m_trade, &m_query, &m_proxyQuery})
        all.insert(all.end(), list->begin(), list->end());
    return all;
}

size_t CReceiverSet::GetCount() const
{
    return m_quote.size() + m_depth.size() + m_trade.size() + m_query.size() + m_proxyQuery.size();
}

bool CReceiverSet::StopAll(DWORD timeoutMs)
{
    const std::vector<CReplyReceiver*> all = All();
    std::vector<HANDLE> handles;
    for (CReplyReceiver* receiver : all)
    {
        receiver->RequestStop();
        handles.push_back(receiver->GetThreadHandle());
    }
    // Each receiver ends the initial load it started before its own thread ends, so the
    // receivers' threads are all there is to wait for.
    WaitForThreads(handles, timeoutMs);
    bool ended = true;
    for (CReplyReceiver* receiver : all)
    {
        if (receiver->IsRunning())
        {
            ReportThreadLeftRunning("reply receiver", timeoutMs);
            ended = false;
        }
        else
        {
            receiver->Stop(0);  // closes the handle of the ended thread
        }
    }
    return ended;
}
