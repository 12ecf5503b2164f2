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
    // The commit charge: on Windows the process's private bytes. Wine leaves the PrivateUsage
    // of the extended counters at 0 and reports here the anonymous memory in use.
    return MemoryCounters().PagefileUsage;
}

ProcessMemory CurrentMemory()
{
    const PROCESS_MEMORY_COUNTERS counters = MemoryCounters();
    return {counters.PagefileUsage, counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

}  // namespace test
}  // namespace tolvan
