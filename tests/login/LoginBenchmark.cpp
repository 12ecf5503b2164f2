// From the login window's submit to every connection of the account logged in (trading, query
// and the four quote servers), with Tolvan.exe against the simulator on loopback. Each
// iteration starts a fresh terminal and waits, untimed, until its login window offers the
// servers; the time runs from the Enter key. Counters split it:
//   first_login_ms  submit to "登录成功!" (connect, the login server's pause before the request,
//                   request and reply)
//   gate_pause_ms   "登录成功!" to the login window gone (the pause that lets the user read it)
//   connections_ms  login window gone to every connection logged in at the simulator
// Run by hand from <build>\bin:
//   login_benchmark.exe --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "LoginWindowIds.h"
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/SimulatorProcess.h"

#include <benchmark/benchmark.h>

using login_test::CTerminal;
using tolvan::test::PumpUntil;
using tolvan::test::SimulatorProcess;

namespace {

const DWORD kDeadlineMs = 60000;

// One simulator for every run; told to quit when the program ends (Wine's run waits for it).
SimulatorProcess& Simulator()
{
    static SimulatorProcess sim;
    static const bool started = sim.Start() && login_test::WriteInstallation(sim);
    (void)started;
    return sim;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

void BM_SubmitToAllConnectionsLoggedIn(benchmark::State& state)
{
    SimulatorProcess& sim = Simulator();
    if (sim.Port("login") == 0)
    {
        state.SkipWithError("the simulator did not start");
        return;
    }
    double firstLogin = 0, gatePause = 0, connections = 0;
    for (auto _ : state)
    {
        sim.Control("reset");
        CTerminal terminal;
        HWND login = terminal.Start() ? terminal.WaitForLoginWindow(kDeadlineMs) : NULL;
        if (login == NULL)
        {
            state.SkipWithError("no login window");
            break;
        }
        const LARGE_INTEGER submitted = Now();
        CTerminal::Submit(login, "80001", "a123456");
        const bool accepted = PumpUntil([&] { return login_test::ControlText(login, IDC_LOGIN_STATUS) == "登录成功!"; }, kDeadlineMs);
        const LARGE_INTEGER acceptedAt = Now();
        const bool closed = PumpUntil([&] { return !::IsWindow(login); }, kDeadlineMs);
        const LARGE_INTEGER closedAt = Now();
        const bool all = PumpUntil([&] { return login_test::AllConnectionsLoggedIn(sim, "80001"); }, kDeadlineMs);
        const LARGE_INTEGER done = Now();
        terminal.Stop();
        if (!accepted || !closed || !all)
        {
            state.SkipWithError(!accepted ? "login not accepted" : !closed ? "login window stayed" : "connections not logged in");
            break;
        }
        firstLogin += Milliseconds(submitted, acceptedAt);
        gatePause += Milliseconds(acceptedAt, closedAt);
        connections += Milliseconds(closedAt, done);
        state.SetIterationTime(Milliseconds(submitted, done) / 1000.0);
    }
    state.counters["first_login_ms"] = benchmark::Counter(firstLogin, benchmark::Counter::kAvgIterations);
    state.counters["gate_pause_ms"] = benchmark::Counter(gatePause, benchmark::Counter::kAvgIterations);
    state.counters["connections_ms"] = benchmark::Counter(connections, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SubmitToAllConnectionsLoggedIn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
