#include "InstrumentListStartup.h"

#include "StartupTasks.h"

#include "MarketDataMessages.h"
#include "MarketListProc.h"

namespace {

class CMarketListSource : public IInstrumentListSource
{
public:
    int IsCsmListReady() const override { return GetMarketListProc().IsCsmListReady(); }
    int IsCsmInfoReady() const override { return GetMarketListProc().IsCsmInfoReady(); }
    int IsHksListReady() const override { return GetMarketListProc().IsHksListReady(); }
    int IsHksInfoReady() const override { return GetMarketListProc().IsHksInfoReady(); }
    const std::vector<MarketListItem>& GetCsmItems() const override { return GetMarketListProc().GetCsmItems(); }
    const std::vector<QuoteRow>& GetCsmRows() const override { return GetMarketListProc().GetCsmRows(); }
    const std::vector<MarketListItem>& GetHksItems() const override { return GetMarketListProc().GetHksItems(); }
    const std::vector<QuoteRow>& GetHksRows() const override { return GetMarketListProc().GetHksRows(); }
};

}  // namespace

const IInstrumentListSource& MarketListSource()
{
    static CMarketListSource source;
    return source;
}

CInstrumentListStartup::CInstrumentListStartup(const IInstrumentListSource& source,
                                               std::function<bool(NoticeRecord&)> fetchNotice)
    : m_source(source), m_fetchNotice(std::move(fetchNotice)), m_thread("instrument lists")
{
}

CInstrumentListStartup::~CInstrumentListStartup()
{
    m_thread.Join(STOP_WAIT_MS);
}

bool CInstrumentListStartup::Start(HWND mainWindow)
{
    return m_thread.Start([this, mainWindow] { Run(mainWindow); });
}

bool CInstrumentListStartup::Stop(DWORD waitMs)
{
    return m_thread.Stop(waitMs);
}

void CInstrumentListStartup::Run(HWND mainWindow)
{
    if (m_fetchNotice)
        m_fetchNotice(m_notice);
    const IInstrumentListSource& source = m_source;
    auto step = [&source, mainWindow](int (IInstrumentListSource::*ready)() const, UINT message, WPARAM market,
                                      const void* list) {
        return InstrumentListStep{[&source, ready] { return (source.*ready)(); }, [mainWindow, message, market, list] {
                                      ::SendMessage(mainWindow, message, market, reinterpret_cast<LPARAM>(list));
                                  }};
    };
    const std::vector<InstrumentListStep> steps = {
        step(&IInstrumentListSource::IsCsmListReady, WM_MARKETLIST_READY, 1, &source.GetCsmItems()),
        step(&IInstrumentListSource::IsCsmInfoReady, WM_MARKETINFO_READY, 1, &source.GetCsmRows()),
        step(&IInstrumentListSource::IsHksListReady, WM_MARKETLIST_READY, 0, &source.GetHksItems()),
        step(&IInstrumentListSource::IsHksInfoReady, WM_MARKETINFO_READY, 0, &source.GetHksRows()),
    };
    // The waits go through the thread's own wake, so a stop ends them at once.
    StartupClock clock;
    clock.now = [] { return ::GetTickCount(); };
    clock.sleep = [this](DWORD ms) { m_thread.WaitForWake(ms); };
    clock.stopped = [this] { return m_thread.IsStopRequested(); };
    WaitForInstrumentLists(steps, BUDGET_MS, clock);
    if (m_thread.IsStopRequested() || m_thread.WaitForWake(NOTICE_PAUSE_MS))
        return;
    ::SendMessage(mainWindow, WM_SHOW_NOTICES, 0, 0);
}
