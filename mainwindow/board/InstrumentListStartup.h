// The last step of the main window's start: a thread that fetches the current notice, waits
// (500 ms steps, 20 s shared by all four steps) for the A-share list and quotes and the Hong
// Kong list and quotes of the market-list handler, hands each to the main window as it
// becomes ready, and then tells the main window that the start is complete.
#pragma once

#include "MarketListItem.h"
#include "NoticeRecord.h"
#include "QuoteRow.h"
#include "StoppableThread.h"

#include <afx.h>
#include <functional>
#include <vector>

#define WM_SHOW_NOTICES 11125

// What the thread waits for and reads; the market-list handler in the program.
class IInstrumentListSource
{
public:
    virtual ~IInstrumentListSource() = default;
    virtual int IsCsmListReady() const = 0;
    virtual int IsCsmInfoReady() const = 0;
    virtual int IsHksListReady() const = 0;
    virtual int IsHksInfoReady() const = 0;
    virtual const std::vector<MarketListItem>& GetCsmItems() const = 0;
    virtual const std::vector<QuoteRow>& GetCsmRows() const = 0;
    virtual const std::vector<MarketListItem>& GetHksItems() const = 0;
    virtual const std::vector<QuoteRow>& GetHksRows() const = 0;
};

class CInstrumentListStartup
{
public:
    enum { BUDGET_MS = 20000, NOTICE_PAUSE_MS = 1000, STOP_WAIT_MS = 2000 };

    // fetchNotice fills the record (the notice service in the program).
    CInstrumentListStartup(const IInstrumentListSource& source,
                           std::function<bool(NoticeRecord&)> fetchNotice);
    ~CInstrumentListStartup();

    // Starts the thread that reports to the window; the notice is written before the
    // first report and not touched after it.
    bool Start(HWND mainWindow);
    // Ends the thread (a bounded wait that answers sent messages; the notice request ends at
    // once); true when it has ended. One that did not is reported and left running, and its
    // owner must then keep this object.
    bool Stop(DWORD waitMs = STOP_WAIT_MS);
    const NoticeRecord& GetNotice() const { return m_notice; }
    bool IsRunning() const { return m_thread.IsAlive(); }

private:
    void Run(HWND mainWindow);

    const IInstrumentListSource& m_source;
    std::function<bool(NoticeRecord&)> m_fetchNotice;
    NoticeRecord m_notice;
    CStoppableThread m_thread;
};

// The program's market-list handler as a source.
const IInstrumentListSource& MarketListSource();
