// The chart views against the simulator's K-line, market-day and calendar services: every
// period of the candlestick view and the trend, loaded by the program's own download path,
// with a screenshot of each view (hosts_<view>.png in the bin directory).
#include <gtest/gtest.h>
#include <ctime>
#include <memory>
#include "DriftlineChartDlg.h"
#include "HistoryData.h"
#include "HistoryServiceChoice.h"
#include "KLineDlg.h"
#include "MainStandIn.h"
#include "MarketTestData.h"
#include "MarketTime.h"
#include "QuoteStore.h"
#include "WebServiceTestSupport.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

using tolvan::test::PumpUntil;
using tolvan::test::SimulatorSuite;

namespace {

// A Thursday afternoon in the A-share session, on both clocks.
__time64_t SessionAfternoon()
{
    std::tm time = {};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 10;
    time.tm_hour = 14;
    time.tm_isdst = -1;
    return _mktime64(&time);
}

class HostsSimulatorTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("http"));
        ASSERT_EQ("OK", s_sim->Control("clock 2026-12-10 14:00:00").substr(0, 2));
        SetMarketClock(SessionAfternoon);
        m_base.reset(new webtest::ScopedServiceBase(
            "http://127.0.0.1:" + std::to_string(s_sim->Port("http")), "/services/historyData"));
        SectorRow row = markettest::MakeRow("600000", 0, "10.50");
        row.strName = row.quote.strName = "浦发银行";
        GetQuoteStore().AddSector(markettest::MakeSector("沪深", "CSM_P", {row}));
        m_views.Create(&m_main);
        m_views.PlaceCharts(CRect(0, 0, 1000, 560));
    }
    void TearDown() override
    {
        PumpUntil([this] { return m_views.GetBusy() == 0; });
        m_views.StopHosts();
        m_views.DestroyHosts();
        m_base.reset();
        SetMarketClock(nullptr);
        SimulatorSuite::TearDown();
    }

    void Show(int view, int period)
    {
        SelectCodeRequest request;
        request.strCode = "600000";
        request.nView = view;
        request.nPeriod = period;
        m_main.SendMessage(WM_SELECT_CODE, reinterpret_cast<WPARAM>(&request), 0);
    }

    void Save(const char* name)
    {
        tolvan::test::PumpPending();
        tolvan::test::Screenshot::CaptureClient(m_main.GetSafeHwnd()).SavePng(name);
    }

    std::unique_ptr<webtest::ScopedServiceBase> m_base;
    ViewsOwnerStandIn m_owner;
    CChartViews m_views{m_owner};
    MainStandIn m_main{m_views};
};

TEST_F(HostsSimulatorTest, EveryPeriodOfTheCandlesAndTheTrendLoad)
{
    const std::pair<int, const char*> periods[] = {
        {0, "hosts_day.png"}, {5040, "hosts_week.png"}, {43200, "hosts_month.png"},
        {1, "hosts_min1.png"}, {5, "hosts_min5.png"}, {15, "hosts_min15.png"},
        {30, "hosts_min30.png"}, {60, "hosts_min60.png"}};
    for (const auto& period : periods)
    {
        Show(VIEW_CANDLES, period.first);
        ASSERT_TRUE(PumpUntil([this] { return m_views.GetBusy() == 0 && m_views.GetKLineHost()->IsLive(); }))
            << period.first << " " << (LPCTSTR)m_views.GetStatusText();
        EXPECT_EQ(period.first, m_views.GetPeriod());
        Save(period.second);
    }
    Show(VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] {
        return m_views.GetBusy() == 0 && m_views.GetTrendHost()->GetPacketTime("600000") != 0;
    })) << (LPCTSTR)m_views.GetStatusText();
    Save("hosts_trend.png");
}

// Markets without a K-line service ask the history services in turn: a service that fails
// is left for one not tried yet; when every one failed the load ends without bars.
TEST_F(HostsSimulatorTest, AFailedHistoryQueryMovesToAServiceNotTriedYet)
{
    const std::string port = std::to_string(s_sim->Port("http"));
    const CString first = ("http://127.0.0.1:" + port + "/services/historyData").c_str();
    const CString second = ("http://localhost:" + port + "/services/historyData").c_str();
    struct Case { const char* fault; bool loads; };
    const Case cases[] = {
        {"http fault /services/historyData fail times 1", true},
        {"http fault /services/historyData drop times 1", true},
        {"http fault /services/historyData empty times 1", true},
        {"http fault /services/historyData fail", false},
    };
    for (const Case& test : cases)
    {
        // The draw always takes the first service left, so the order of the tries is known.
        CHistoryServiceChoice services([] { return 0; });
        services.SetBases({first, second});
        ASSERT_TRUE(services.Pick({}));
        ASSERT_EQ("OK", s_sim->Control("http clear").substr(0, 2));
        ASSERT_EQ("OK", s_sim->Control("http clearlog").substr(0, 2));
        ASSERT_EQ("OK", s_sim->Control(test.fault).substr(0, 2)) << test.fault;

        HistoryJob job;
        job.server.m_strFields[2] = "XAUUSD";
        job.request.nPeriod = 60;
        job.request.strMarket = "FEC";
        job.request.strStartDate = "20261209";
        job.request.strStartTime = "00:00:00";
        job.request.strEndDate = "20261210";
        job.request.strEndTime = "24:00:00";
        HistoryPacket* packet = QueryHistoryServices(job, services);

        const std::string log = s_sim->Control("http requests");
        size_t asked = 0;
        for (size_t at = log.find("/services/historyData"); at != std::string::npos;
             at = log.find("/services/historyData", at + 1))
            ++asked;
        EXPECT_EQ(2u, asked) << test.fault << ": each service once";
        EXPECT_EQ(test.loads ? 3 : 2, job.nStatus) << test.fault;
        EXPECT_EQ(test.loads, packet != nullptr && packet->pFirst != nullptr) << test.fault;
        EXPECT_EQ(1, services.Current()) << test.fault;
        if (test.loads) {
            EXPECT_EQ(second, GetHistoryServiceBase()) << test.fault << ": the answering service stays";
        }
        EXPECT_FALSE(services.Pick({0, 1})) << "no service is left when both were tried";
        DeleteHistoryPacket(packet);
    }
}

}  // namespace
