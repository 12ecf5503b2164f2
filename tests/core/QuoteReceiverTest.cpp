// The quote receiver on a connection to a fake quote server: a batch every cycle, the
// contract data after the contract list, and halted rows once the connection is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "ConnectionRegistry.h"
#include "MarketDataMessages.h"
#include "Network.h"
#include "QuoteReceiver.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"
#include "SessionData.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

using replytest::MakeServer;
using replytest::RecordingHost;
using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

// "code=last/halted ticks;" for every update of a batch.
std::string BatchText(WPARAM wParam, LPARAM)
{
    std::string text;
    for (const QuoteUpdate& update : *reinterpret_cast<const QuoteBatch*>(wParam))
        text += replytest::Text(update.rowLatest.strCode) + "=" + replytest::Text(update.rowLatest.strLastPrice) + "/" +
                std::to_string(update.rowLatest.nHalted) + " " + std::to_string(update.vecTicks.size()) + ";";
    return text;
}

TEST(QuoteReceiverTest, BatchesContractDataAndHaltedRowsAfterALoss)
{
    GetSessionData().m_strUserName = "80001";
    GetSessionData().SetPassword("a123456");
    FakeTcpServer server;
    CSessionData data;
    RecordingHost host;
    host.Window().CopyPayload(WM_QUOTE_BATCH, BatchText);
    CConnectionRegistry registry;
    CServerSession* session = new CServerSession;
    session->Open(MakeServer("FEC", 1, "127.0.0.1", server.Port(), "FEC"), false, data);
    CNetwork::LoginTimings timings;
    timings.retryPauseMs = 60000;  // no second login within the test
    session->GetConnection()->SetLoginTimings(timings);
    registry.Register(session);

    std::unique_ptr<CQuoteReceiver> receiver(new CQuoteReceiver(host, session->GetConnection()));
    receiver->SetCycleMs(20);
    receiver->Start();
    // Batches go out every cycle, empty ones too; the first cycles see the connection down
    // with no rows yet.
    ASSERT_TRUE(host.Window().WaitFor(WM_QUOTE_BATCH, 3));
    EXPECT_EQ(1, receiver->GetQuoteDownFlag());

    session->GetConnection()->Connect();
    std::shared_ptr<FakeConnection> connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);
    ASSERT_TRUE(connection->WaitForText("#@"));
    connection->Send("loginresult@status:1#name:80001#opentime:06:00#stoptime:24:00#@");
    // Quote servers frame with a length prefix.
    const std::string contracts = "contractlist@[contractlist|FEC|外汇现货-FX][XAUUSD|伦敦金|2|FX][EURUSD|欧元美元|5|FX]#@";
    connection->Send("^^" + std::to_string(contracts.size()) + "~~" + contracts);
    ASSERT_TRUE(host.Window().WaitFor(WM_QUOTE_CONNECTION_DATA, 1));
    EXPECT_EQ(0, receiver->GetQuoteDownFlag());

    connection->Send("[XAUUSD][lP=2318.40]@[XAUUSD][lP=2318.50]@[EURUSD][bP=1.08]@#@");
    ASSERT_TRUE(PumpUntil([&] {
        for (const std::string& batch : host.Payloads(WM_QUOTE_BATCH))
            if (batch == "EURUSD=/0 0;XAUUSD=2318.50/0 2;")
                return true;
        return false;
    }));

    const size_t before = host.Window().Count(WM_QUOTE_BATCH);
    connection->Close();
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<std::string> batches = host.Payloads(WM_QUOTE_BATCH);
        return std::count(batches.begin() + before, batches.end(), "EURUSD=/1 0;XAUUSD=2318.50/1 0;") == 1 &&
               batches.size() > before + 3;
    }));
    // The halted rows were sent once; the batches after it are empty (nothing changed).
    const std::vector<std::string> batches = host.Payloads(WM_QUOTE_BATCH);
    EXPECT_EQ("", batches.back());

    std::atomic<bool> stopped(false);
    std::thread stopper([&] {
        receiver->Stop(5000);
        stopped = true;
    });
    PumpUntil([&] { return stopped.load(); });
    stopper.join();
}

}  // namespace
