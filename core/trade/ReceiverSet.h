// The reply receivers of the logged-in user's connections: one per registered session that
// the session data lists, started after the sessions exist and stopped together at shutdown.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

class CConnectionRegistry;
class CNetwork;
class CReplyReceiver;
class CSessionData;
class IReceiverHost;

class CReceiverSet
{
public:
    // Quote receivers parse into market-data records, so the market data builds them.
    typedef std::function<CReplyReceiver*(IReceiverHost& host, CNetwork* connection)> QuoteReceiverFactory;

    CReceiverSet(IReceiverHost& host, CConnectionRegistry& registry);
    // Stops (StopAll) and frees every receiver whose threads have ended. A receiver whose
    // thread is still running is left allocated for it: freeing it would pull the receiver
    // from under a thread that may wake up at any time.
    ~CReceiverSet();
    CReceiverSet(const CReceiverSet&) = delete;
    CReceiverSet& operator=(const CReceiverSet&) = delete;

    // Starts, in this order: a quote receiver per quote server, a depth receiver per depth
    // server and, unless defaultServerUsed, the order receiver, the query receiver, the own
    // trade receiver beside a proxy connection and the proxy query receiver. Only servers
    // whose session is registered get one, and a session is served by one receiver however
    // many server records name it (two receivers would share out its messages).
    // They start held: what arrives waits in the connections until ReleaseAll, so that no
    // record reaches the window before the handlers that take it exist.
    void StartAll(CSessionData& sessionData, bool defaultServerUsed, const QuoteReceiverFactory& makeQuoteReceiver);
    // Lets every receiver take its connection's messages, oldest first.
    void ReleaseAll();

    // Asks every receiver (and every initial load) to end, then waits for all threads
    // together up to timeoutMs. The receivers deliver by SendMessage to the main window, so
    // the wait answers sent messages when it runs on the window's thread. True when all ended;
    // threads still running then are reported and left running (never killed).
    bool StopAll(DWORD timeoutMs);

    const std::vector<CReplyReceiver*>& GetQuoteReceivers() const { return m_quote; }
    const std::vector<CReplyReceiver*>& GetDepthReceivers() const { return m_depth; }
    const std::vector<CReplyReceiver*>& GetTradeReceivers() const { return m_trade; }
    const std::vector<CReplyReceiver*>& GetQueryReceivers() const { return m_query; }
    const std::vector<CReplyReceiver*>& GetProxyQueryReceivers() const { return m_proxyQuery; }
    size_t GetCount() const;

private:
    void Add(std::vector<CReplyReceiver*>& list, CReplyReceiver* receiver);
    std::vector<CReplyReceiver*> All() const;

    IReceiverHost& m_host;
    CConnectionRegistry& m_registry;
    std::vector<CReplyReceiver*> m_quote;
    std::vector<CReplyReceiver*> m_depth;
    std::vector<CReplyReceiver*> m_trade;      // the order receiver and the own trade receiver
    std::vector<CReplyReceiver*> m_query;
    std::vector<CReplyReceiver*> m_proxyQuery;
};
