// The receiver of a quote connection: every cycle it parses the queued quote messages and
// sends the main window one quote batch (WM_QUOTE_BATCH), also when nothing changed; a cycle
// that brings more tick rows than the parser holds sends its earlier rows ahead. The
// first cycle that finds the connection down sends every known row marked halted, and every
// batch says halted until the server accepts a login again.
#pragma once
#include <afx.h>
#include <vector>

#include "NetMessage.h"
#include "QuoteStreamParser.h"
#include "ReplyReceiver.h"

class CQuoteReceiver : public CReplyReceiver
{
public:
    CQuoteReceiver(IReceiverHost& host, CNetwork* connection);
    ~CQuoteReceiver() override;

    // The factory that the receiver set uses for quote connections.
    static CReplyReceiver* Create(IReceiverHost& host, CNetwork* connection);

    void RunCycle() override;
    int GetQuoteDownFlag() const { return m_quoteDown; }
    const CQuoteStreamParser& GetParser() const { return m_parser; }

private:
    void ParseQueuedMessages();
    void SendBatch(QuoteBatch& batch);

    int m_quoteDown;
    CQuoteStreamParser m_parser;
    std::vector<NetMessage> m_work;
    QuoteBatch m_batch;
};
