// What the tests of the trading connection share: a main-window stand-in that records what
// the receivers deliver (copying every record while the synchronous call lasts) and keeps
// the query state they change, and a few text helpers.
#pragma once
#include <afx.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ReceiverHost.h"
#include "ServerRecord.h"
#include "testsupport/RecordingWindow.h"

namespace replytest {

std::string Text(const CString& text);

// Copies the records of every message the receivers send into "|"-joined fields; a list
// (an order-list array with its count) becomes one line per record, a null record "(null)".
// 11114 is copied as a FillRecord (the fills slot); 11094, 11095 and 11101 as order lists.
void RegisterReplyCopiers(tolvan::test::RecordingWindow& window);

class RecordingHost : public IReceiverHost
{
public:
    RecordingHost();

    HWND GetMainWindow() override { return m_window; }
    CReplySlots& GetReplySlots() override { return m_slots; }
    bool SetPendingQuery(int kind) override;
    void ResetQueryTimeout() override;
    double GetContractMultiplier(LPCTSTR code) override;

    tolvan::test::RecordingWindow& Window() { return m_window; }
    std::vector<int> PendingKinds();
    int TimeoutResets();
    void SetMultiplier(const char* code, double multiplier) { m_multipliers[code] = multiplier; }

    // The payloads of every record of `message`, in arrival order.
    std::vector<std::string> Payloads(UINT message);
    // The (wParam, lParam) pairs of every WM_CONNECTION_STATE.
    std::vector<std::pair<int, int>> ConnectionStates();

private:
    tolvan::test::RecordingWindow m_window;
    CReplySlots m_slots;
    std::mutex m_lock;
    std::vector<int> m_pendingKinds;
    int m_timeoutResets = 0;
    std::map<std::string, double> m_multipliers;
};

// A server record "name|title|market|host|port|1|type|SIM|0|range" of one server.
ServerRecord MakeServer(const char* name, int type, const char* host = "127.0.0.1", int port = 1,
                        const char* loginRange = "");

}  // namespace replytest
