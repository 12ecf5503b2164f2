// From the login window's submit to every connection of the account logged in (the trade and
// query states 1 and every quote connection logged in), against the simulator on loopback:
// the user-login thread's work, the sessions and the reply receivers, as the main window runs
// them. Counters split the time: "first_login_ms" (connect, request, reply, and the pause that
// lets the user read "登录成功!") and "connections_ms" (sessions to all states 1).
#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "ILogin.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "QuoteReceiver.h"
#include "ReceiverSet.h"
#include "SessionData.h"
#include "UserLogin.h"
#include "testsupport/Pump.h"
#include "testsupport/SimulatorProcess.h"

#include "../core/FakeLoginWindow.h"
#include "../../mainwindow/MainReceiverHost.h"

#include <benchmark/benchmark.h>

#include <process.h>

using tolvan::test::PumpUntil;
using tolvan::test::SimulatorProcess;

namespace {

SimulatorProcess& Simulator()
{
    static SimulatorProcess* sim = [] {
        SimulatorProcess* started = new SimulatorProcess;
        started->Start();
        return started;
    }();
    return *sim;
}

bool QuotesLoggedIn(SimulatorProcess& sim)
{
    const std::string sessions = sim.Control("sessions");
    size_t quotes = 0;
    for (size_t at = sessions.find("\"role\": \"quote\""); at != std::string::npos; at = sessions.find("\"role\": \"quote\"", at + 1))
        quotes += sessions.compare(sessions.find("\"user\": ", at), 15, "\"user\": \"80001\"") == 0;
    return quotes >= 4;
}

unsigned __stdcall StopReceivers(void* receivers)
{
    static_cast<CReceiverSet*>(receivers)->StopAll(3000);
    return 0;
}

void BM_LoginToAllConnectionsLoggedIn(benchmark::State& state)
{
    SimulatorProcess& sim = Simulator();
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    CString address;
    address.Format("127.0.0.1:%d:KQZTWXBNPL4M", sim.Port("login"));
    double firstLoginMs = 0, connectionsMs = 0;
    for (auto _ : state)
    {
        ResetConnectionStates();
        CLoginProcess process;
        FakeLoginWindow login;
        UserLoginContext context;
        context.serverAddresses = {address};
        context.process = &process;
        volatile LONG gate = -2;
        context.loginGate = &gate;

        fprintf(stderr, "login\n");
        const DWORD start = ::GetTickCount();
        UserLoginRequest request{&login, "80001", "a123456", 0};
        if (RunUserLogin(request, context) != 1)
        {
            state.SkipWithError("login refused");
            break;
        }
        const DWORD loggedIn = ::GetTickCount();
        fprintf(stderr, "logged in %lu\n", loggedIn - start);
        GetConnectionRegistry().CreateSessions(false);
        CMainReceiverHost host(window);
        CReceiverSet receivers(host, GetConnectionRegistry());
        receivers.StartAll(GetSessionData(), false, CQuoteReceiver::Create);
        const bool all = PumpUntil([&] {
            return TradeConnectionState == CONNECTION_LOGGED_IN && QueryConnectionState == CONNECTION_LOGGED_IN
                   && QuotesLoggedIn(sim);
        });
        const DWORD done = ::GetTickCount();
        fprintf(stderr, "all %d %lu (%ld %ld)\n", all, done - loggedIn, TradeConnectionState, QueryConnectionState);
        firstLoginMs += loggedIn - start;
        connectionsMs += done - loggedIn;
        state.SetIterationTime((done - start) / 1000.0);

        // The receivers deliver by SendMessage to this thread: stop them from another one.
        HANDLE stopper = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, StopReceivers, &receivers, 0, nullptr));
        while (::MsgWaitForMultipleObjects(1, &stopper, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
            tolvan::test::PumpPending();
        ::CloseHandle(stopper);
        GetConnectionRegistry().DisconnectAll();
        process.GetClient().Stop();
        if (!all)
        {
            state.SkipWithError("not every connection logged in");
            break;
        }
    }
    state.counters["first_login_ms"] = benchmark::Counter(firstLoginMs, benchmark::Counter::kAvgIterations);
    state.counters["connections_ms"] = benchmark::Counter(connectionsMs, benchmark::Counter::kAvgIterations);
    ::DestroyWindow(window);
}
BENCHMARK(BM_LoginToAllConnectionsLoggedIn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
