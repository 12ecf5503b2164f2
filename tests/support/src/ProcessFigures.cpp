#include "testsupport/ProcessFigures.h"

#include <windows.h>
#include <psapi.h>

namespace tolvan {
namespace test {

double ThreadCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

namespace {

PROCESS_MEMORY_COUNTERS MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS counters = {sizeof(counters)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

const double kBytesPerMb = 1024.0 * 1024.0;

}  // namespace

double WorkingSetMb()
{
    return MemoryCounters().WorkingSetSize / kBytesPerMb;
}

double PeakWorkingSetMb()
{
    return MemoryCounters().PeakWorkingSetSize / kBytesPerMb;
}

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters.PrivateUsage;
}

}  // namespace test
}  // namespace tolvan
