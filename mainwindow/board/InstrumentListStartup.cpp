#include "InstrumentListStartup.h"

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

void CInstrumentListStartup::Stop()
{
    m_thread.Stop(STOP_WAIT_MS);
}

bool CInstrumentListStartup::WaitReady(int (IInstrumentListSource::*ready)() const, DWORD start,
                                       bool& isReady)
{
    // After the budget is spent a step still gets one check now and one after a pause.
    int late = 0;
    for (;;) {
        isReady = (m_source.*ready)() == 1;
        if (isReady || (::GetTickCount() - start >= BUDGET_MS && ++late >= 2))
            return true;
        if (m_thread.WaitForWake(STEP_MS))
            return false;
    }
}

void CInstrumentListStartup::Run(HWND mainWindow)
{
    if (m_fetchNotice)
        m_fetchNotice(m_notice);
    const DWORD start = ::GetTickCount();
    struct Step
    {
        int (IInstrumentListSource::*ready)() const;
        UINT message;
        WPARAM market;
        const void* (*data)(const IInstrumentListSource&);
    };
    const Step steps[] = {
        { &IInstrumentListSource::IsCsmListReady, WM_MARKETLIST_READY, 1,
          [](const IInstrumentListSource& s) -> const void* { return &s.GetCsmItems(); } },
        { &IInstrumentListSource::IsCsmInfoReady, WM_MARKETINFO_READY, 1,
          [](const IInstrumentListSource& s) -> const void* { return &s.GetCsmRows(); } },
        { &IInstrumentListSource::IsHksListReady, WM_MARKETLIST_READY, 0,
          [](const IInstrumentListSource& s) -> const void* { return &s.GetHksItems(); } },
        { &IInstrumentListSource::IsHksInfoReady, WM_MARKETINFO_READY, 0,
          [](const IInstrumentListSource& s) -> const void* { return &s.GetHksRows(); } },
    };
    for (const Step& step : steps) {
        bool ready = false;
        if (!WaitReady(step.ready, start, ready))
            return;
        if (ready)
            ::SendMessage(mainWindow, step.message, step.market,
                          reinterpret_cast<LPARAM>(step.data(m_source)));
    }
    if (m_thread.WaitForWake(NOTICE_PAUSE_MS))
        return;
    ::SendMessage(mainWindow, WM_SHOW_NOTICES, 0, 0);
}
