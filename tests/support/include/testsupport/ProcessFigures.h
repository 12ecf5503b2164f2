// Figures of this process that load tests and benchmarks report.
#pragma once
#include <cstddef>

namespace tolvan {
namespace test {

// CPU time (kernel and user) the calling thread has used, in seconds.
double ThreadCpuSeconds();

// The process's working set and its peak so far, in MB.
double WorkingSetMb();
double PeakWorkingSetMb();

// The process's private bytes (committed memory of its own).
size_t PrivateBytes();
// The figures above in bytes from one reading (each reading costs a system call).
struct ProcessMemory
{
    size_t privateBytes;
    size_t workingSet;
    size_t peakWorkingSet;  // the most since the process started
};
ProcessMemory CurrentMemory();

}  // namespace test
}  // namespace tolvan
