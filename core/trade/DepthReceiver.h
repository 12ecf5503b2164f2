// The receiver of a market-depth connection: applies the queued book changes to its book and
// hands the book to the main window once per cycle that brought changes; while the
// connection is down the book is emptied every cycle.
#pragma once
#include <afx.h>
#include <vector>

#include "DepthBook.h"
#include "NetMessage.h"
#include "ReplyReceiver.h"

class CDepthReceiver : public CReplyReceiver
{
public:
    CDepthReceiver(IReceiverHost& host, CNetwork* connection);
    ~CDepthReceiver() override;

    // Names the book after the depth server (its position in the session's depth list and
    // its name) and resets it.
    void SetIndex(int index, const CString& serverName);
    const DepthBook& GetBook() const { return m_book; }

    void RunCycle() override;

private:
    DepthBook m_book;
    std::vector<NetMessage> m_work;
};
