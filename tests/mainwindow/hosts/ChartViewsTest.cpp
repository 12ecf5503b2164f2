// The chart views with both hosts and the real chart libraries, in a stand-in main window
// that routes the hosts' messages as the main window does. History comes from a fixture
// loader on the download thread, so no service is asked.
#include <gtest/gtest.h>
#include <testsupport/Pump.h>
#include <testsupport/Screenshot.h>
#include <atomic>
#include "ChartViews.h"
#include "DriftlineChartDlg.h"
#include "KLineDlg.h"
#include "MarketTestData.h"
#include "MarketTime.h"
#include "QuoteStore.h"
#include "MainStandIn.h"

using tolvan::test::PumpUntil;

namespace {

// Forty day bars rising and falling in turn, or minute bars of one morning.
HistoryPacket* FixturePacket(bool minutes)
{
    HistoryPacket* packet = new HistoryPacket;
    WickplotBar* last = nullptr;
    for (int i = 0; i < 40; ++i)
    {
        WickplotBar* bar = new WickplotBar;
        if (minutes)
            bar->strTime.Format("20261210 %02d:%02d:00", 9 + (31 + i) / 60, (31 + i) % 60);
        else
            bar->strTime.Format("202611%02d", 1 + i % 28);
        const double base = 10.0 + (i % 7) * 0.1;
        const bool up = i % 2 == 0;
        bar->strOpen.Format("%.2f", up ? base : base + 0.2);
        bar->strClose.Format("%.2f", up ? base + 0.2 : base);
        bar->strHigh.Format("%.2f", base + 0.3);
        bar->strLow.Format("%.2f", base - 0.1);
        bar->strVolume.Format("%d", 1000 + i * 10);
        bar->nDirection = BarDirection(bar->strOpen, bar->strClose);
        AppendHistoryBar(*packet, bar, last);
    }
    return packet;
}

class ChartViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using namespace markettest;
        SectorRow row = MakeRow("600000", 0, "10.50");
        row.strName = row.quote.strName = "浦发银行";
        row.quote.strPrevClose = "10.00";
        row.quote.strChange = "0.50";
        for (int i = 0; i < 5; ++i)
        {
            row.quote.strAskPrice[i].Format("10.5%d", i + 1);
            row.quote.strBidPrice[i].Format("10.4%d", 9 - i);
        }
        SectorRow second = MakeRow("600036", 1, "30.10");
        second.strName = second.quote.strName = "招商银行";
        second.quote.strPrevClose = "30.00";
        GetQuoteStore().AddSector(MakeSector("沪深", "CSM_P", {row, second}));
        GetQuoteStore().AddSector(MakeSector("其他", "NYM_P", {MakeRow("ZZ1", 0)}));
        m_views.SetHistoryLoader([this](HistoryJob& job) {
            ++m_loads;
            m_loadedCode = job.strCode;
            if (m_gate)
                ::WaitForSingleObject(m_gate, 30000);
            // The first load of a series spans far back; a page asks from its own start.
            if (job.bRebuildRequest)
                job.request.strStartDate = job.nView == VIEW_TREND ? GetServerDateText() : CString("20251201");
            m_starts.push_back(job.request.strStartDate);
            job.nStatus = m_fail ? 2 : 3;
            return m_fail ? nullptr : FixturePacket(job.nView == VIEW_TREND);
        });
        m_views.Create(&m_main);
        m_views.PlaceCharts(CRect(0, 0, 1000, 560));
        // As the program's message loop does when idle: the temporary objects of windows
        // that belong to other modules (the libraries' charts) are gone from here on.
        AfxDeleteTempObjects();
    }

    void TearDown() override
    {
        if (m_gate)
        {
            ::SetEvent(m_gate);
            PumpUntil([this] { return m_views.GetBusy() == 0; });
            ::CloseHandle(m_gate);
        }
        m_views.StopHosts();
        m_views.DestroyHosts();
    }

    void Select(const char* code, int view, int period)
    {
        SelectCodeRequest request;
        request.strCode = code;
        request.nView = view;
        request.nPeriod = period;
        m_views.SelectInstrument(request);
    }

    bool Idle() { return m_views.GetBusy() == 0; }

    ViewsOwnerStandIn m_owner;
    CChartViews m_views{m_owner};
    MainStandIn m_main{m_views};
    std::atomic<int> m_loads{0};
    CString m_loadedCode;
    std::vector<CString> m_starts;  // the start date of each load
    HANDLE m_gate = NULL;
    bool m_fail = false;
};

TEST_F(ChartViewsTest, CandlesAndTrendReceiveTheirSeries)
{
    Select("600000", VIEW_CANDLES, 0);
    EXPECT_EQ("正在请求数据！", m_views.GetStatusText());
    EXPECT_EQ(5, m_views.GetCheckedButton());
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetKLineHost()->IsLive(); }));
    EXPECT_TRUE(m_views.GetKLineHost()->IsWindowVisible());
    EXPECT_FALSE(m_views.GetTrendHost()->IsWindowVisible());
    // The depth ladder of the new instrument: a stock lists its fifth ask first.
    EXPECT_EQ("10.55", m_views.GetDepthSnapshot().strSellPrice[0]);
    tolvan::test::PumpPending();
    tolvan::test::Screenshot::CaptureClient(m_main.GetSafeHwnd()).SavePng("kline_host.png");

    Select("600000", VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetTrendHost()->GetPacketTime("600000") != 0; }));
    EXPECT_EQ(4, m_views.GetCheckedButton());
    EXPECT_TRUE(m_views.GetTrendHost()->IsWindowVisible());
    EXPECT_FALSE(m_views.GetKLineHost()->IsWindowVisible());
    tolvan::test::PumpPending();
    tolvan::test::Screenshot::CaptureClient(m_main.GetSafeHwnd()).SavePng("trend_host.png");

    m_views.RequestMarketData(VIEW_QUOTE_LIST, 0, CString(), CString(), 1);
    EXPECT_FALSE(m_views.GetTrendHost()->IsWindowVisible());
    EXPECT_EQ(VIEW_QUOTE_LIST, m_views.GetView());
}

TEST_F(ChartViewsTest, RunningDownloadRefusesRequestsAndAFailedOneFreesTheFlag)
{
    m_gate = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    m_fail = true;
    Select("600000", VIEW_CANDLES, 5);
    ASSERT_TRUE(PumpUntil([this] { return m_loads == 1; }));
    // The interface thread is free while the download runs (no blocking HTTP here).
    Select("600000", VIEW_CANDLES, 15);
    EXPECT_EQ("正在请求数据，请稍后再试！", m_views.GetStatusText());
    EXPECT_EQ(5, m_views.GetPeriod());
    ::SetEvent(m_gate);
    // No packet at all counts as an empty one.
    ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    EXPECT_EQ("未获取到数据！", m_views.GetStatusText());
    EXPECT_FALSE(m_views.GetKLineHost()->IsLive());
    m_fail = false;
    Select("600000", VIEW_CANDLES, 15);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetKLineHost()->IsLive(); }));
    EXPECT_EQ(2, m_loads.load());
}

TEST_F(ChartViewsTest, FailuresBeforeTheDownloadClearTheBusyFlag)
{
    Select("ZZ1", VIEW_CANDLES, 0);  // a market key of no known market
    EXPECT_EQ("请求数据出错！", m_views.GetStatusText());
    EXPECT_EQ(0, m_views.GetBusy());

    m_views.SetThreadStarter([](unsigned(__stdcall*)(void*), void*) { return HANDLE(NULL); });
    Select("600000", VIEW_CANDLES, 0);
    EXPECT_EQ(0, m_views.GetBusy());
    EXPECT_EQ(0, m_loads.load());
}

TEST_F(ChartViewsTest, CancelDoesNotDestroyTheHost)
{
    CKLineDlg* host = m_views.GetKLineHost();
    host->SendMessage(WM_COMMAND, IDCANCEL, 0);
    host->SendMessage(WM_COMMAND, IDOK, 0);
    tolvan::test::PumpPending();
    EXPECT_TRUE(::IsWindow(host->GetSafeHwnd()));
    EXPECT_EQ(host, m_views.GetKLineHost());
}

TEST_F(ChartViewsTest, KLineBarsOfTheShownInstrumentInItsSession)
{
    Select("600000", VIEW_CANDLES, 5);
    ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    KLineBar bar;
    bar.strDate = "2026-12-10";
    bar.strOpenPrice = bar.strHigh = bar.strLow = bar.strClosePrice = "10.6";
    bar.strVolume = "10";
    const CString shown = "600000";
    const CString other = "600001";
    bar.strTime = "10:00";
    EXPECT_EQ(-1, m_views.OnKLineData(&shown, nullptr));
    EXPECT_EQ(-1, m_views.OnKLineData(&other, &bar));
    EXPECT_EQ(0, m_views.OnKLineData(&shown, &bar));
    bar.strTime = "11:36";
    EXPECT_EQ(-1, m_views.OnKLineData(&shown, &bar));
    bar.strTime = "11:35";
    EXPECT_EQ(0, m_views.OnKLineData(&shown, &bar));
}

TEST_F(ChartViewsTest, TrendIsLoadedAfreshInTheMinuteBeforeTheOpen)
{
    Select("600000", VIEW_CANDLES, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    EXPECT_FALSE(m_views.ReloadTrendBeforeOpen("600000", "20991231 09:29:30")) << "only in the trend view";
    Select("600000", VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetTrendHost()->GetPacketTime("600000") != 0; }));
    const int loads = m_loads.load();
    // A day whose session opens long after the last hand-over.
    EXPECT_FALSE(m_views.ReloadTrendBeforeOpen("600000", "20991231 09:28:59"));
    EXPECT_TRUE(m_views.ReloadTrendBeforeOpen("600000", "20991231 09:29:30"));
    ASSERT_TRUE(PumpUntil([&] { return Idle() && m_loads.load() == loads + 1; }));
    EXPECT_EQ(VIEW_TREND, m_views.GetView());
    // Within ten seconds of the reload: no new load (the tick goes to the bar refresh).
    EXPECT_FALSE(m_views.ReloadTrendBeforeOpen("600000", "20991231 09:29:35"));
    EXPECT_FALSE(m_views.ReloadTrendBeforeOpen("600000", "20991231 09:30:00")) << "the session is open";
    EXPECT_FALSE(m_views.ReloadTrendBeforeOpen("600001", "20991231 09:29:30")) << "not the shown instrument";
    tolvan::test::PumpPending();
    EXPECT_EQ(loads + 1, m_loads.load());
}

TEST_F(ChartViewsTest, TheEndLeavesAStuckDownloadToItselfAndStartsNoOtherOne)
{
    m_gate = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    Select("600000", VIEW_CANDLES, 0);
    ASSERT_TRUE(PumpUntil([this] { return m_loads.load() == 1; }));
    // Held in its loader, not in a transfer the stop could end: reported and left running.
    EXPECT_FALSE(m_views.StopHistoryDownload(100));
    ::SetEvent(m_gate);
    ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    // From the stop on, a request starts no download and leaves nothing busy.
    Select("600000", VIEW_TREND, 0);
    tolvan::test::PumpPending();
    EXPECT_EQ(1, m_loads.load());
    EXPECT_EQ(0, m_views.GetBusy());
    EXPECT_TRUE(m_views.StopHistoryDownload(100));
}

TEST_F(ChartViewsTest, SwitchThreadResetsDepthOnTheInterfaceThreadAndStops)
{
    m_views.RequestMarketData(VIEW_QUOTE_LIST, 0, CString(), CString(), 1);
    Select("600000", VIEW_CANDLES, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    m_main.resetThread = 0;
    m_main.selects = 0;
    m_views.RequestSwitch("600000");
    ASSERT_TRUE(PumpUntil([this] { return m_main.selects >= 1 && Idle(); }));
    EXPECT_EQ(::GetCurrentThreadId(), m_main.resetThread.load());
    EXPECT_TRUE(m_views.IsSwitchThreadRunning());
    const DWORD before = ::GetTickCount();
    m_views.StopHosts();
    EXPECT_FALSE(m_views.IsSwitchThreadRunning());
    EXPECT_LT(::GetTickCount() - before, 1000u);
}

TEST_F(ChartViewsTest, PagingLeftExtendsTheHistoryEachTime)
{
    Select("600000", VIEW_CANDLES, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetKLineHost()->IsLive(); }));
    for (int page = 1; page <= 3; ++page)
    {
        m_views.OnOlderBarsWanted();
        ASSERT_TRUE(PumpUntil([&] { return Idle() && m_loads.load() == page + 1; })) << page;
    }
    ASSERT_EQ(4u, m_starts.size());
    for (size_t load = 1; load < m_starts.size(); ++load)
        EXPECT_LT(atoi(m_starts[load]), atoi(m_starts[load - 1])) << "page " << load;
    EXPECT_EQ(GetServerDateText(), m_views.GetHistoryRequest().strEndDate);
}

// The trend's price line is drawn in 0xFCFCFC.
TEST_F(ChartViewsTest, ATrendSwitchWhoseLoadFailsShowsAnEmptyChart)
{
    Select("600000", VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetTrendHost()->GetPacketTime("600000") != 0; }));
    HWND host = m_views.GetTrendHost()->GetSafeHwnd();
    const COLORREF line = RGB(0xFC, 0xFC, 0xFC);
    const RECT plot = {82, 42, 690, 380};  // inside the price panel's frame
    ASSERT_TRUE(PumpUntil([&] { return tolvan::test::Screenshot::CaptureClient(host).CountColor(line, &plot) > 50; }))
        << "the loaded line is drawn";

    m_fail = true;
    Select("600036", VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_loads.load() == 2; }));
    EXPECT_EQ("未获取到数据！", m_views.GetStatusText());
    tolvan::test::PumpPending();
    const tolvan::test::Screenshot shot = tolvan::test::Screenshot::CaptureClient(host);
    shot.SavePng("trend_failed_switch.png");
    EXPECT_EQ(0u, shot.CountColor(line, &plot)) << "the old instrument's line stays";
}

TEST_F(ChartViewsTest, TheTrendIsAskedAgainOnceAfterTheSessionCloses)
{
    Select("600000", VIEW_TREND, 0);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_views.GetTrendHost()->GetPacketTime("600000") != 0; }));
    SectorRow row;
    ASSERT_TRUE(GetQuoteStore().GetQuoteRow("600000", row));
    QuoteRow quote = row.quote;
    quote.strLastPrice = "10.60";
    quote.strVolumeSinceLast = "5";
    // Quotes after the close, as a server whose bars end before its time sends them.
    for (int tick = 0; tick < 5; ++tick)
    {
        quote.strQuoteTime.Format("%s 15:%02d:00", (LPCTSTR)GetServerDateText(), 30 + tick);
        m_views.OnQuoteRefresh(&quote);
        ASSERT_TRUE(PumpUntil([this] { return Idle(); }));
    }
    EXPECT_EQ(2, m_loads.load()) << "one load after the close, not one per quote";
}

TEST_F(ChartViewsTest, TheCandlesGoLiveOnlyWhenTakenInTheirView)
{
    m_gate = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    Select("600000", VIEW_CANDLES, 5);
    ASSERT_TRUE(PumpUntil([this] { return m_loads == 1; }));
    // Back to the list while the bars load: the chart takes them unseen.
    m_views.RequestMarketData(VIEW_QUOTE_LIST, 0, CString(), CString(), 1);
    ::SetEvent(m_gate);
    ASSERT_TRUE(PumpUntil([this] { return Idle() && m_main.chartLoads.load() == 1; }));
    EXPECT_FALSE(m_views.GetKLineHost()->IsLive()) << "no live bars for a chart that is not shown";
}

}  // namespace
