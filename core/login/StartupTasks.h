// Small pieces of the main window's start: the wait for the instrument lists, the usage
// statistics request and the per-user folders.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

// One instrument list the start waits for: ready() is 1 once it arrived; report() hands it to
// the main window.
struct InstrumentListStep
{
    std::function<int()> ready;
    std::function<void()> report;
};

struct StartupClock
{
    std::function<DWORD()> now;          // milliseconds, GetTickCount unless a test replaces it
    std::function<void(DWORD)> sleep;    // Sleep unless a test replaces it
    std::function<bool()> stopped;       // optional: true once nobody waits for the lists
};

// Waits for the steps in order, all of them sharing one budget of budgetMs: a step not ready
// is looked at every 500 ms until it is ready (then reported) or the budget is spent (then it
// is given up after one more look). Once clock.stopped() holds, nothing more is reported.
void WaitForInstrumentLists(const std::vector<InstrumentListStep>& steps, DWORD budgetMs,
                            const StartupClock& clock);

// Two upper-case hexadecimal digits per byte, no separators.
CString FormatMacAddress(const BYTE* address, UINT length);
// The first network adapter's hardware address; false when none is known.
bool GetMacAddress(CString& out);
// base + "/StatisticTolvan/insertStatistic?mode=p&mark=" + mark.
CString BuildStatisticsAddress(const CString& base, const CString& mark);

// Creates, each when missing, appData\Tolvan证券\, its sub-folder userName\ and in that
// Proxy\; databaseFolder receives the last with its trailing "\". False when a folder could
// not be made.
bool CreateUserFolders(const CString& appData, const CString& userName, CString& databaseFolder);
