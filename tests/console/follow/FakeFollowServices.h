// Scripted follow-order services: instruments, quotes and order states set by the test, every
// order and cancel recorded, and a clock that moves only when a worker waits (so tests run
// without sleeping). Safe for many worker threads at once.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "FollowServices.h"

class FakeFollowServices : public IFollowServices
{
public:
    struct SentOrder
    {
        OrderRequest request;
        ULONGLONG atMs;
    };

    // Script, set before a job runs.
    CString sector = "外汇现货";
    int decimals = 1;
    CString step = "0.5";
    CString sessionEnd;                            // empty: no session
    CTime serverStart = CTime(2026, 12, 10, 10, 0, 0);
    int refuseAnswer = 0;                          // answer to every send while not 0
    int refusalsLeft = 0;                          // answers refuseAnswer this many times
    bool hasOrderSession = true;
    bool realWaits = false;                        // wait on the stop event for real
    // Runs after every wait with the services locked; may change quotes and states.
    std::function<void(FakeFollowServices&)> onWait;
    // Runs for every cancel with the services locked.
    std::function<void(FakeFollowServices&, const CString& orderKey)> onCancel;

    // State, readable by the script (under the lock) and by the test after the job.
    std::map<CString, CString> lastPrices;         // code -> last price text
    std::map<CString, OrderStateRecord> states;    // order key -> state
    std::vector<SentOrder> orders;
    std::vector<ULONGLONG> cancelTimes;
    int sendAttempts = 0;

    ULONGLONG Now() const { return m_ms.load(); }
    // Sets the state of the order sent with clientRef.
    void SetStateOfRef(const CString& clientRef, const char* state, const char* done = "0");

    std::vector<SentOrder> Orders();
    size_t OrderCount();
    size_t CancelCount();

    bool FindSectorName(const CString& code, CString& sectorName) override;
    int GetPriceDecimals(const CString& code) override;
    CString GetMinPriceStep(const CString& code) override;
    CString GetLastSessionEnd(const CString& code) override;
    bool GetLastPrice(const CString& code, CString& lastPrice) override;
    bool FindOrderStateByClientRef(const CString& clientRef, OrderStateRecord& state) override;
    bool FindOrderState(const CString& orderKey, OrderStateRecord& state) override;
    int SendOrder(const OrderRequest& request) override;
    int SendCancel(const CString& orderKey) override;
    CString MakeClientRef() override;
    CTime GetServerTime() override;
    ULONGLONG GetTickMs() override;
    bool WaitForStop(HANDLE stopEvent, DWORD ms) override;

    std::recursive_mutex lock;

private:
    std::atomic<ULONGLONG> m_ms{0};
    int m_nextRef = 0;
    int m_nextKey = 0;
};
