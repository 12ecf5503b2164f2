#include "MutationRunner.h"

#include "Mutator.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <testsupport/ProcessFigures.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mutation {

namespace {

double CpuMs()
{
    return 1000.0 * tolvan::test::ThreadCpuSeconds();
}

double WallMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / ticksPerMs;
}

// Watches the input in progress: samples the process's memory while it runs (the peak an
// input causes, which the memory left afterwards does not show), and ends the program with
// the input named when it hangs, since the thread that hangs can report nothing. An input
// too quick for the samples still shows when it raised the process's peak working set.
class Watchdog
{
public:
    Watchdog() : m_thread([this] { Watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    void Begin(const char* entry, const std::string& input)
    {
        const tolvan::test::ProcessMemory memory = tolvan::test::CurrentMemory();
        std::lock_guard<std::mutex> lock(m_lock);
        m_entry = entry;
        m_input = input;
        m_started = GetTickCount64();
        m_baseline = memory.privateBytes;
        m_peak = m_baseline;
        m_workingSetBefore = memory.workingSet;
        m_peakWorkingSetBefore = memory.peakWorkingSet;
        m_busy = true;
    }
    // The most memory the input added while it ran.
    size_t End()
    {
        const tolvan::test::ProcessMemory memory = tolvan::test::CurrentMemory();
        std::lock_guard<std::mutex> lock(m_lock);
        m_busy = false;
        m_peak = std::max(m_peak, memory.privateBytes);
        size_t added = m_peak - m_baseline;
        if (memory.peakWorkingSet > m_peakWorkingSetBefore)
            added = std::max(added, memory.peakWorkingSet - m_workingSetBefore);
        return added;
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        // Looks every few milliseconds and ends as soon as it is told to.
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(5), [this] { return m_stop; }))
        {
            if (m_busy)
                Sample();
            if (m_busy && GetTickCount64() - m_started > Options().hangMs)
            {
                fprintf(stderr, "HANG: %s did not return within %u ms on the input \"%s\" (%u bytes)\n",
                        m_entry, Options().hangMs, Printable(m_input).c_str(),
                        static_cast<unsigned>(m_input.size()));
                fflush(stderr);
                ExitProcess(3);
            }
        }
    }

    void Sample()
    {
        const size_t now = tolvan::test::PrivateBytes();
        if (now > m_peak)
            m_peak = now;
    }

    std::mutex m_lock;
    size_t m_baseline = 0;
    size_t m_peak = 0;
    size_t m_workingSetBefore = 0;
    size_t m_peakWorkingSetBefore = 0;
    const char* m_entry = "";
    std::string m_input;
    ULONGLONG m_started = 0;
    std::atomic<bool> m_busy{false};
    bool m_stop = false;
    std::condition_variable m_wake;
    std::thread m_thread;
};

unsigned ReadNumber(const char* text, unsigned fallback)
{
    if (text == nullptr || *text == '\0')
        return fallback;
    char* end = nullptr;
    const unsigned long value = strtoul(text, &end, 10);
    return *end == '\0' ? static_cast<unsigned>(value) : fallback;
}

// A seed per entry point, so that adding one does not change the inputs of the others.
uint32_t SeedOf(const char* name)
{
    uint32_t hash = 2166136261u;
    for (const char* p = name; *p != '\0'; ++p)
        hash = (hash ^ static_cast<unsigned char>(*p)) * 16777619u;
    return hash ^ Options().seed;
}

}  // namespace

RunOptions& Options()
{
    static RunOptions options;
    return options;
}

void ReadOptions(int argc, char** argv)
{
    RunOptions& options = Options();
    options.seed = ReadNumber(getenv("TOLVAN_MUTATION_SEED"), options.seed);
    options.scale = ReadNumber(getenv("TOLVAN_MUTATION_SCALE"), options.scale);
    for (int i = 1; i < argc; ++i)
    {
        if (strncmp(argv[i], "--mutation-seed=", 16) == 0)
            options.seed = ReadNumber(argv[i] + 16, options.seed);
        else if (strncmp(argv[i], "--mutation-scale=", 17) == 0)
            options.scale = ReadNumber(argv[i] + 17, options.scale);
    }
    if (options.scale == 0)
        options.scale = 1;
}

std::string Printable(const std::string& input, size_t maxBytes)
{
    std::string out;
    for (size_t i = 0; i < input.size() && i < maxBytes; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(input[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"')
            out += static_cast<char>(c);
        else
        {
            char escaped[8];
            sprintf(escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (input.size() > maxBytes)
        out += "...";
    return out;
}

namespace {

Watchdog& TheWatchdog()
{
    static Watchdog watchdog;
    return watchdog;
}

// The CPU time of one feed of input, in ms: repeated until the total is well above the
// clock's resolution (10 ms under Wine), then averaged.
double CpuMsPerFeed(const char* name, const std::string& input, const Feed& feed, double atLeastMs = 100.0)
{
    const double started = CpuMs();
    double spent = 0;
    int runs = 0;
    do
    {
        TheWatchdog().Begin(name, input);
        feed(input);
        TheWatchdog().End();
        ++runs;
        spent = CpuMs() - started;
    } while (spent < atLeastMs);
    return spent / runs;
}

}  // namespace

void RunEntryPoint(const EntryPoint& entry, const Feed& feed)
{
    Watchdog& watchdog = TheWatchdog();
    Mutator mutator(SeedOf(entry.name));
    const size_t memoryBefore = tolvan::test::PrivateBytes();
    const size_t total = entry.examples.size() + entry.inputs * Options().scale;
    double slowestMs = 0;
    std::string slowestInput;
    size_t largestMemory = 0;
    std::string largestMemoryInput;
    int failures = 0;

    for (size_t n = 0; n < total; ++n)
    {
        std::string input;
        if (n < entry.examples.size())
            input = entry.examples[n];
        else if (entry.examples.empty() || mutator.Below(10) == 0)
            input = mutator.RandomBytes(entry.randomLength);
        else
            input = mutator.Mutate(entry.examples[mutator.Below(entry.examples.size())]);

        watchdog.Begin(entry.name, input);
        const double started = WallMs();
        const std::string problem = feed(input);
        double elapsed = WallMs() - started;
        const size_t memory = watchdog.End();
        // A thread uses no more CPU time than the wall time it took, and reading its CPU time
        // costs as much as feeding a small input: only an input slower than the bound is fed
        // once more with its CPU time read.
        if (elapsed > Options().inputCpuMs)
            elapsed = CpuMsPerFeed(entry.name, input, feed, 0.0);

        if (elapsed > slowestMs)
        {
            slowestMs = elapsed;
            slowestInput = input;
        }
        if (memory > largestMemory)
        {
            largestMemory = memory;
            largestMemoryInput = input;
        }
        if (!problem.empty() && ++failures <= 3)
            ADD_FAILURE() << entry.name << ": " << problem << "\n  input (" << input.size() << " bytes): \""
                          << Printable(input) << "\"";
    }

    EXPECT_LE(slowestMs, static_cast<double>(Options().inputCpuMs))
        << entry.name << ": an input took " << slowestMs << " ms of CPU time: \"" << Printable(slowestInput)
        << "\" (" << slowestInput.size() << " bytes)";
    EXPECT_LE(largestMemory, Options().inputMemoryBytes)
        << entry.name << ": an input took " << largestMemory / 1024 << " KiB while it ran: \""
        << Printable(largestMemoryInput) << "\" (" << largestMemoryInput.size() << " bytes)";
    const size_t memoryAfter = tolvan::test::PrivateBytes();
    EXPECT_LE(memoryAfter, memoryBefore + Options().memoryGrowthBytes)
        << entry.name << " kept " << (memoryAfter - memoryBefore) / 1024 << " KiB";
    EXPECT_EQ(0, failures) << entry.name << ": " << failures << " inputs gave inconsistent results";
    printf("[ mutation ] %-24s %7u inputs, slowest %8.3f ms (%6u bytes), most memory %7u KiB, seed %u\n",
           entry.name, static_cast<unsigned>(total), slowestMs, static_cast<unsigned>(slowestInput.size()),
           static_cast<unsigned>(largestMemory / 1024), static_cast<unsigned>(SeedOf(entry.name)));
}

void CheckGrowth(const char* name, size_t baseSize, const InputOfSize& inputOfSize, const Feed& feed)
{
    const std::string small = inputOfSize(baseSize);
    const std::string large = inputOfSize(16 * baseSize);
    // Another program on the same cores can slow the larger input more than the smaller one
    // (its data no longer stays in the shared caches): the pair is measured up to three times
    // and the best ratio counts. Linear work passes at once; quadratic work (256 times) never.
    double smallMs = 0, largeMs = 0;
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        smallMs = CpuMsPerFeed(name, small, feed);
        largeMs = CpuMsPerFeed(name, large, feed);
        if (largeMs <= 32.0 * smallMs)
            break;
    }
    EXPECT_LE(largeMs, 32.0 * smallMs) << name << ": " << large.size() << " bytes took " << largeMs << " ms of CPU time, "
                                       << small.size() << " bytes " << smallMs << " ms";
    printf("[ growth   ] %-40s %9u bytes %9.3f ms CPU, 16x %9.3f ms CPU (%.1fx)\n", name,
           static_cast<unsigned>(small.size()), smallMs, largeMs, largeMs / smallMs);
}

}  // namespace mutation
