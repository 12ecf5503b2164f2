// The market-data HTTP client against the simulator (tools/sim), end to end: instrument
// lists, quotes that move, bars, market days, calendar, notices and history.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <memory>
#include <string>
#include "HistoryData.h"
#include "KLineLoader.h"
#include "MarketDataMessages.h"
#include "MarketListProc.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/SimulatorSuite.h"
#include "WebQuote.h"
#include "WebServices.h"
#include "WebServiceTestSupport.h"

using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;
using tolvan::test::SimulatorSuite;

namespace {

class SimulatorHttpTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("http"));
        m_base.reset(new webtest::ScopedServiceBase("http://127.0.0.1:" + std::to_string(s_sim->Port("http")), "/services/historyData"));
    }
    void TearDown() override
    {
        m_base.reset();
        SimulatorSuite::TearDown();
    }

    std::unique_ptr<webtest::ScopedServiceBase> m_base;
};

bool IsGbkText(const CString& text)
{
    // Chinese names arrive as double-byte GBK characters, never as UTF-8 sequences.
    bool doubleByte = false;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        unsigned char c = (unsigned char)text[i];
        if (c >= 0x80)
        {
            if (!IsDBCSLeadByteEx(936, c) || i + 1 >= text.GetLength())
                return false;
            doubleByte = true;
            ++i;
        }
    }
    return doubleByte;
}

TEST_F(SimulatorHttpTest, InstrumentListChainFillsBothMarkets)
{
    webtest::TempFolder folder;
    CAMarketListProc proc;
    proc.SetStorage(folder.File("Config.ini"), folder.Path());
    proc.UpdateCsmMarketList();
    ASSERT_TRUE(PumpUntil([&] { return proc.IsHksInfoReady() != 0; }, 60000));
    ASSERT_EQ(1, proc.IsCsmListReady());
    ASSERT_EQ(1, proc.IsCsmInfoReady());
    ASSERT_EQ(1, proc.IsHksListReady());
    ASSERT_EQ(1, proc.IsHksInfoReady());
    EXPECT_GE(proc.GetCsmItems().size(), 3000u);
    EXPECT_GE(proc.GetHksItems().size(), 1500u);
    EXPECT_EQ(proc.GetCsmItems().size(), proc.GetCsmRows().size());
    EXPECT_TRUE(IsGbkText(proc.GetCsmItems()[0].strName));
    EXPECT_TRUE(IsGbkText(proc.GetHksItems()[0].strName));

    // The second start reads the list from the cache.
    CAMarketListProc again;
    again.SetStorage(folder.File("Config.ini"), folder.Path());
    ASSERT_EQ("OK", s_sim->Control("http clearlog"));
    again.UpdateCsmMarketList();
    ASSERT_TRUE(PumpUntil([&] { return again.IsHksInfoReady() != 0; }, 60000));
    EXPECT_EQ(proc.GetCsmItems().size(), again.GetCsmItems().size());
    EXPECT_EQ(std::string::npos, s_sim->Control("http requests").find("stockList\""));
}

TEST_F(SimulatorHttpTest, PolledQuotesMove)
{
    RecordingWindow window;
    window.CopyPayload(WM_QUOTE_BATCH, [](WPARAM wParam, LPARAM) {
        std::string text;
        for (const QuoteUpdate& update : *reinterpret_cast<const QuoteBatch*>(wParam))
            text += std::string(update.rowLatest.strCode) + "=" + std::string(update.rowLatest.strLastPrice) + ";";
        return text;
    });
    SetMarketDataWindow(window);
    CWebQuote poller;
    std::vector<std::string> codes = {"600000", "000001", "300001", "601000"};
    poller.StartQuotePolling("CSM", codes);
    ASSERT_TRUE(window.WaitFor(WM_QUOTE_BATCH, 1));
    std::string first = window.MessagesOf(WM_QUOTE_BATCH)[0].payload;
    EXPECT_EQ(0u, first.find("600000="));
    QuoteRow row;
    ASSERT_EQ(1, poller.GetQuote("000001", row));
    EXPECT_TRUE(IsGbkText(row.strName));
    ASSERT_EQ(0u, s_sim->Control("http tick 5").find("OK"));
    poller.StartQuotePolling("CSM", codes);
    ASSERT_TRUE(window.WaitFor(WM_QUOTE_BATCH, 2));
    EXPECT_NE(first, window.MessagesOf(WM_QUOTE_BATCH)[1].payload);
    poller.StopQuotePolling();
    SetMarketDataWindow(NULL);
}

TEST_F(SimulatorHttpTest, BarsCalendarNoticesAndHistory)
{
    KLineLoader loader;
    int status = 99;
    HistoryPacket* packet = loader.LoadHistoryPacket("600000", 5, 0, "20240613", "20240614", status, "CSM");
    EXPECT_EQ(0, status);
    EXPECT_EQ(48 + 12, packet->nCount); // a whole day of five-minute bars, then up to 10:30
    EXPECT_EQ(CString("20240613 09:35:00"), packet->pFirst->strTime);
    DeleteHistoryPacket(packet);

    EXPECT_TRUE(ValidateMarketDay("20240614", "ASHARE"));
    EXPECT_FALSE(ValidateMarketDay("20240610", "ASHARE"));
    std::vector<CString> dates;
    ASSERT_TRUE(GetMarketCalendar("20240612", 2, "ASHARE", dates));
    ASSERT_EQ(2u, dates.size());
    EXPECT_EQ(CString("2024-06-07"), dates[0]);

    NoticeRecord notice;
    ASSERT_TRUE(FetchNotices("", notice));
    EXPECT_EQ("系统公告", notice.strTitle);

    ServerRecord server;
    server.m_strFields[2] = "XAUUSD";
    HistoryRequest request;
    request.nPeriod = 60;
    request.strMarket = "FEC";
    request.strStartDate = "20240613";
    request.strStartTime = "00:00:00";
    request.strEndDate = "20240614";
    request.strEndTime = "24:00:00";
    status = 0;
    packet = RequestHistoryData(server, request, status);
    ASSERT_NE(nullptr, packet);
    EXPECT_EQ(3, status);
    EXPECT_EQ(24 + 10, packet->nCount);
    EXPECT_EQ(CString("20240613 01:00:00"), packet->pFirst->strTime);
    DeleteHistoryPacket(packet);
}

} // namespace
