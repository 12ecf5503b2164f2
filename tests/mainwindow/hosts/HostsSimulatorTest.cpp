// The chart views against the simulator's K-line, market-day and calendar services: every
// period of the candlestick view and the trend, loaded by the program's own download path,
// with a screenshot of each view (hosts_<view>.png in the bin directory).
#include <gtest/gtest.h>
#include <ctime>
#include <memory>
#include "DriftlineChartDlg.h"
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
    CChartViews m_views;
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

}  // namespace
